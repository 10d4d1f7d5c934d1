#include "lexer.h"

#include <algorithm>

namespace script {

namespace {

char lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c;
}
bool isDigit(char c) {
  return c >= '0' && c <= '9';
}
bool startsName(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}
bool continuesName(char c) {
  return startsName(c) || isDigit(c);
}

// Two-character symbols first, so that "<=" is not read as "<" and "=".
constexpr std::string_view kSymbols[] = {"<>", "<=", ">=", "+", "-", "*", "/",
                                         "=",  "<",  ">",  "(", ")", ",", "."};

class Lexer {
public:
  explicit Lexer(std::string_view source) : text_(source) {}

  std::vector<Token> run() {
    std::vector<Token> tokens;
    while (i_ < text_.size()) {
      char c = text_[i_];
      if (c == ' ' || c == '\t') {
        advance(1);
      } else if (c == '\'' || text_.substr(i_, 2) == "//") {
        while (i_ < text_.size() && text_[i_] != '\n' && text_[i_] != '\r') advance(1);
      } else if (c == '\n' || c == '\r') {
        tokens.push_back({Token::Kind::EndOfLine, "", here()});
        advance(text_.substr(i_, 2) == "\r\n" ? 2 : 1);
        ++line_;
        column_ = 1;
      } else if (startsName(c)) {
        tokens.push_back(name());
      } else if (isDigit(c)) {
        tokens.push_back(number());
      } else if (c == '"') {
        tokens.push_back(string());
      } else {
        tokens.push_back(symbol());
      }
    }
    tokens.push_back({Token::Kind::EndOfFile, "", here()});
    return tokens;
  }

private:
  Position here() const { return {line_, column_}; }
  void advance(size_t n) {
    i_ += n;
    column_ += static_cast<int>(n);
  }

  Token name() {
    Token t{Token::Kind::Name, "", here()};
    size_t start = i_;
    while (i_ < text_.size() && continuesName(text_[i_])) advance(1);
    t.text = text_.substr(start, i_ - start);
    return t;
  }

  // 12 is an Integer; 1.5, 2e3 and 1.5E-3 are Doubles.
  Token number() {
    Token t{Token::Kind::Integer, "", here()};
    size_t start = i_;
    auto digits = [&] {
      while (i_ < text_.size() && isDigit(text_[i_])) advance(1);
    };
    digits();
    if (i_ + 1 < text_.size() && text_[i_] == '.' && isDigit(text_[i_ + 1])) {
      t.kind = Token::Kind::Double;
      advance(1);
      digits();
    }
    if (i_ < text_.size() && lower(text_[i_]) == 'e') {
      size_t sign = i_ + 1 < text_.size() && (text_[i_ + 1] == '+' || text_[i_ + 1] == '-');
      if (i_ + 1 + sign < text_.size() && isDigit(text_[i_ + 1 + sign])) {
        t.kind = Token::Kind::Double;
        advance(1 + sign);
        digits();
      }
    }
    t.text = text_.substr(start, i_ - start);
    return t;
  }

  // "say ""hi""": a doubled quote stands for one quote.
  Token string() {
    Token t{Token::Kind::String, "", here()};
    advance(1);
    for (;;) {
      if (i_ >= text_.size() || text_[i_] == '\n' || text_[i_] == '\r')
        throw ScriptError(t.at, "the string has no closing quote");
      if (text_[i_] == '"') {
        if (text_.substr(i_, 2) != "\"\"") break;
        advance(1);
      }
      t.text += text_[i_];
      advance(1);
    }
    advance(1);
    return t;
  }

  Token symbol() {
    for (std::string_view s : kSymbols) {
      if (text_.substr(i_, s.size()) == s) {
        Token t{Token::Kind::Symbol, std::string(s), here()};
        advance(s.size());
        return t;
      }
    }
    throw ScriptError(here(), std::string("unexpected character '") + text_[i_] + "'");
  }

  std::string_view text_;
  size_t i_ = 0;
  int line_ = 1;
  int column_ = 1;
};

} // namespace

ScriptError::ScriptError(Position at, const std::string& message, bool runtime)
    : std::runtime_error("line " + std::to_string(at.line) + ", column " +
                         std::to_string(at.column) + ": " + (runtime ? "runtime error: " : "") +
                         message),
      at_(at), message_(message), runtime_(runtime) {}

bool sameName(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](char x, char y) { return lower(x) == lower(y); });
}

bool Token::isWord(std::string_view word) const {
  return kind == Kind::Name && sameName(text, word);
}

std::string Token::describe() const {
  switch (kind) {
  case Kind::EndOfLine:
  case Kind::EndOfFile:
    return "end of line";
  case Kind::String:
    return "\"" + text + "\"";
  default:
    return "'" + text + "'";
  }
}

std::vector<Token> tokenize(std::string_view source) {
  return Lexer(source).run();
}

} // namespace script
