// A recursive descent over the tokens. Precedence, loosest first: comparisons and Is; + and -;
// * and /; unary -; member access.
#include "parser.h"

#include <charconv>
#include <initializer_list>

#include "lexer.h"

namespace script {

namespace {

constexpr std::string_view kKeywords[] = {"Var",   "Dim",    "As",  "New", "Nil",  "True", "False",
                                          "Print", "Render", "For", "To",  "Step", "Next", "Is"};
constexpr std::string_view kComparisons[] = {"=", "<>", "<", ">", "<=", ">="};

bool isKeyword(const Token& t) {
  for (std::string_view k : kKeywords)
    if (t.isWord(k)) return true;
  return false;
}

ExprPtr makeExpr(Expr::Kind kind, Position at) {
  auto e = std::make_unique<Expr>();
  e->kind = kind;
  e->at = at;
  return e;
}

class Parser {
public:
  explicit Parser(std::string_view source) : tokens_(tokenize(source)) {}

  Program program() {
    Program statements = block({});
    if (!peek().is(Token::Kind::EndOfFile)) fail("a statement");
    return statements;
  }

private:
  const Token& peek() const { return tokens_[i_]; }
  const Token& next() { return tokens_[i_ < tokens_.size() - 1 ? i_++ : i_]; }
  bool atLineEnd() const {
    return peek().is(Token::Kind::EndOfLine) || peek().is(Token::Kind::EndOfFile);
  }
  bool acceptSymbol(std::string_view s) {
    if (!peek().isSymbol(s)) return false;
    next();
    return true;
  }
  bool acceptWord(std::string_view w) {
    if (!peek().isWord(w)) return false;
    next();
    return true;
  }

  [[noreturn]] void fail(const std::string& expected) const {
    throw ScriptError(peek().at, "expected " + expected + " but found " + peek().describe());
  }
  void expectSymbol(std::string_view s) {
    if (!acceptSymbol(s)) fail("'" + std::string(s) + "'");
  }
  void expectWord(std::string_view w) {
    if (!acceptWord(w)) fail("'" + std::string(w) + "'");
  }
  Name name(const char* what) {
    if (!peek().is(Token::Kind::Name) || isKeyword(peek())) fail(what);
    const Token& t = next();
    return {t.text, t.at};
  }
  // A type: a name, or a dotted name such as Xojo.Core.Point.
  Name typeName() {
    Name type = name("a type");
    while (acceptSymbol(".")) {
      type.text += '.';
      type.text += name("a type").text;
    }
    return type;
  }

  // Statements up to one that starts with one of `enders` (left unread) or the end of file.
  std::vector<Statement> block(std::initializer_list<std::string_view> enders) {
    std::vector<Statement> statements;
    for (;;) {
      while (peek().is(Token::Kind::EndOfLine)) next();
      if (peek().is(Token::Kind::EndOfFile)) return statements;
      for (std::string_view e : enders)
        if (peek().isWord(e)) return statements;
      statements.push_back(statement());
      if (!atLineEnd()) fail("end of line");
    }
  }

  Statement statement() {
    Statement s{peek().at, Print{}};
    if (acceptWord("Var") || acceptWord("Dim")) {
      s.what = declaration();
    } else if (acceptWord("Print")) {
      Print print;
      if (!atLineEnd()) print.items = list();
      s.what = std::move(print);
    } else if (acceptWord("Render")) {
      s.what = Render{list()};
    } else if (acceptWord("For")) {
      s.what = loop(s.at);
    } else {
      s.what = assignmentOrCall();
    }
    return s;
  }

  Declare declaration() {
    Declare d;
    do d.names.push_back(name("a variable name"));
    while (acceptSymbol(","));
    expectWord("As");
    d.isNew = acceptWord("New");
    d.type = typeName();
    if (d.isNew) {
      if (acceptSymbol("(")) d.args = arguments();
    } else if (acceptSymbol("=")) {
      d.value = expression();
    }
    return d;
  }

  For loop(Position at) {
    For f;
    f.variable = name("a loop variable");
    if (acceptWord("As")) f.type = typeName().text;
    expectSymbol("=");
    f.first = expression();
    expectWord("To");
    f.last = expression();
    if (acceptWord("Step")) f.step = expression();
    if (!atLineEnd()) fail("end of line");
    f.body = block({"Next"});
    if (!acceptWord("Next")) throw ScriptError(at, "this For has no Next");
    if (!atLineEnd()) {
      Name closing = name("end of line");
      if (!sameName(closing.text, f.variable.text))
        throw ScriptError(closing.at, "Next " + closing.text + " closes For " + f.variable.text);
    }
    return f;
  }

  // `target = value`, or a method call with its arguments in parentheses, without them, or
  // with none.
  std::variant<Declare, Assign, Call, Print, Render, For> assignmentOrCall() {
    if (isKeyword(peek())) fail("a statement");
    ExprPtr target = postfix();
    if (acceptSymbol("=")) {
      if (target->kind != Expr::Kind::Variable && target->kind != Expr::Kind::Member)
        throw ScriptError(target->at, "only a variable, a property or an assignable method "
                                      "can be assigned");
      return Assign{std::move(target), expression()};
    }
    if (target->kind != Expr::Kind::Member) fail("'='");
    if (!atLineEnd()) {
      if (target->parens) fail("end of line");
      target->args = list();
      target->parens = true;
    }
    return Call{std::move(target)};
  }

  std::vector<ExprPtr> list() {
    std::vector<ExprPtr> items;
    do items.push_back(expression());
    while (acceptSymbol(","));
    return items;
  }

  // After "(": arguments up to ")".
  std::vector<ExprPtr> arguments() {
    std::vector<ExprPtr> args;
    if (acceptSymbol(")")) return args;
    args = list();
    expectSymbol(")");
    return args;
  }

  ExprPtr expression() {
    ExprPtr left = sum();
    for (;;) {
      const Token& op = peek();
      bool comparison = op.isWord("Is");
      for (std::string_view c : kComparisons) comparison = comparison || op.isSymbol(c);
      if (!comparison) return left;
      next();
      left = binary(op, std::move(left), sum());
    }
  }

  ExprPtr sum() {
    ExprPtr left = product();
    while (peek().isSymbol("+") || peek().isSymbol("-")) {
      const Token& op = next();
      left = binary(op, std::move(left), product());
    }
    return left;
  }

  ExprPtr product() {
    ExprPtr left = unary();
    while (peek().isSymbol("*") || peek().isSymbol("/")) {
      const Token& op = next();
      left = binary(op, std::move(left), unary());
    }
    return left;
  }

  static ExprPtr binary(const Token& op, ExprPtr left, ExprPtr right) {
    ExprPtr e = makeExpr(Expr::Kind::Binary, op.at);
    e->name = op.kind == Token::Kind::Name ? "Is" : op.text;
    e->left = std::move(left);
    e->right = std::move(right);
    return e;
  }

  ExprPtr unary() {
    if (!peek().isSymbol("-")) return postfix();
    ExprPtr e = makeExpr(Expr::Kind::Negate, next().at);
    e->left = unary();
    return e;
  }

  ExprPtr postfix() {
    ExprPtr e = primary();
    while (acceptSymbol(".")) {
      Name member = name("a property or method name");
      ExprPtr m = makeExpr(Expr::Kind::Member, member.at);
      m->name = member.text;
      m->left = std::move(e);
      if (acceptSymbol("(")) {
        m->parens = true;
        m->args = arguments();
      }
      e = std::move(m);
    }
    return e;
  }

  ExprPtr primary() {
    const Token& t = peek();
    ExprPtr e = makeExpr(Expr::Kind::Literal, t.at);
    switch (t.kind) {
    case Token::Kind::Integer: {
      int64_t i = 0;
      auto [end, ec] = std::from_chars(t.text.data(), t.text.data() + t.text.size(), i);
      if (ec != std::errc()) throw ScriptError(t.at, t.text + " is too large for an Integer");
      e->literal = host::Value(i);
      break;
    }
    case Token::Kind::Double: {
      double d = 0;
      std::from_chars(t.text.data(), t.text.data() + t.text.size(), d);
      e->literal = host::Value(d);
      break;
    }
    case Token::Kind::String:
      e->literal = host::Value(t.text);
      break;
    case Token::Kind::Symbol:
      if (!t.isSymbol("(")) fail("an expression");
      next();
      e = expression();
      expectSymbol(")");
      return e;
    case Token::Kind::Name:
      if (t.isWord("True") || t.isWord("False")) {
        e->literal = host::Value(t.isWord("True"));
      } else if (t.isWord("Nil")) {
        e->literal = host::Value::nil();
      } else if (t.isWord("New")) {
        next();
        e->kind = Expr::Kind::New;
        Name type = typeName();
        e->at = type.at;
        e->name = type.text;
        if (acceptSymbol("(")) e->args = arguments();
        return e;
      } else {
        Name variable = name("an expression");
        e->kind = Expr::Kind::Variable;
        e->name = variable.text;
        return e;
      }
      break;
    default:
      fail("an expression");
    }
    next();
    return e;
  }

  std::vector<Token> tokens_;
  size_t i_ = 0;
};

} // namespace

Program parse(std::string_view source) {
  return Parser(source).program();
}

} // namespace script
