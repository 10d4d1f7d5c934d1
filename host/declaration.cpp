#include "declaration.h"

#include <cctype>
#include <limits>

#include "names.h"

namespace host {

namespace {

// Reads a declaration left to right. Blanks may stand between any two tokens; a type is a dotted
// name written without blanks ("Xojo.Core.Point").
class Reader {
public:
  explicit Reader(std::string_view text) : text_(text) {}

  std::optional<Declaration> declaration(std::string* error) {
    Declaration d;
    d.text = std::string(text_);
    if (!identifier(d.name)) return fail(error, "expected the method name");
    if (!punctuation('(')) return fail(error, "expected '(' after the method name");
    if (!punctuation(')')) {
      do {
        Parameter p;
        if (!identifier(p.name)) return fail(error, "expected a parameter name");
        if (punctuation('(')) {
          if (!punctuation(')')) return fail(error, "expected ')' after '(' of an array");
          p.array = true;
        }
        if (!keywordAs()) return fail(error, "expected 'as' after the parameter name");
        if (!type(p.type)) return fail(error, "expected a parameter type");
        d.params.push_back(std::move(p));
      } while (punctuation(','));
      if (!punctuation(')')) return fail(error, "expected ',' or ')'");
    }
    if (keywordAs() && !type(d.result)) return fail(error, "expected a result type after 'as'");
    skipBlanks();
    if (at_ != text_.size()) return fail(error, "unexpected text after the declaration");
    return d;
  }

private:
  static bool identifierStart(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) || c == '_';
  }
  static bool identifierPart(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
  }

  void skipBlanks() {
    while (at_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[at_]))) ++at_;
  }

  // An identifier, without the blanks before it taken as part of it.
  bool word(std::string_view& out) {
    if (at_ >= text_.size() || !identifierStart(text_[at_])) return false;
    size_t start = at_;
    while (at_ < text_.size() && identifierPart(text_[at_])) ++at_;
    out = text_.substr(start, at_ - start);
    return true;
  }

  bool identifier(std::string& out) {
    skipBlanks();
    std::string_view w;
    if (!word(w)) return false;
    out = std::string(w);
    return true;
  }

  bool type(std::string& out) {
    skipBlanks();
    size_t start = at_;
    for (std::string_view part;; ++at_) {
      if (!word(part)) return false;
      if (at_ >= text_.size() || text_[at_] != '.') break;
    }
    out = std::string(text_.substr(start, at_ - start));
    return true;
  }

  bool keywordAs() {
    skipBlanks();
    size_t start = at_;
    std::string_view w;
    if (word(w) && sameName(w, "as")) return true;
    at_ = start;
    return false;
  }

  bool punctuation(char c) {
    skipBlanks();
    if (at_ >= text_.size() || text_[at_] != c) return false;
    ++at_;
    return true;
  }

  std::nullopt_t fail(std::string* error, const char* what) {
    if (error) *error = std::string(what) + " at offset " + std::to_string(at_);
    return std::nullopt;
  }

  std::string_view text_;
  size_t at_ = 0;
};

std::string argumentList(const std::vector<Value>& args) {
  std::string list;
  for (const Value& a : args) list += (list.empty() ? "" : ", ") + a.typeName();
  return list;
}

} // namespace

std::optional<Declaration> parseDeclaration(std::string_view text, std::string* error) {
  return Reader(text).declaration(error);
}

bool sameType(std::string_view a, std::string_view b) {
  return sameName(a, b);
}

TypeKind typeKind(std::string_view type) {
  static constexpr std::pair<std::string_view, TypeKind> kScalars[] = {
      {"Double", TypeKind::Double},
      {"Integer", TypeKind::Integer},
      {"Boolean", TypeKind::Boolean},
      {"String", TypeKind::String},
  };
  for (const auto& [name, kind] : kScalars)
    if (sameType(type, name)) return kind;
  return TypeKind::Class;
}

bool sameMethod(const Declaration& a, const Declaration& b) {
  if (!sameName(a.name, b.name) || !sameType(a.result, b.result)) return false;
  if (a.params.size() != b.params.size()) return false;
  for (size_t i = 0; i < a.params.size(); ++i)
    if (a.params[i].array != b.params[i].array || !sameType(a.params[i].type, b.params[i].type))
      return false;
  return true;
}

std::optional<int> conversionCost(const Value& arg, const Parameter& param) {
  if (param.array) return std::nullopt; // no value of a call is an array
  const TypeKind to = typeKind(param.type);
  switch (arg.kind()) {
  case Value::Kind::Integer:
    if (to == TypeKind::Integer) return 0;
    if (to == TypeKind::Double) return 1;
    return std::nullopt;
  case Value::Kind::Double:
    if (to == TypeKind::Double) return 0;
    if (to == TypeKind::Integer) return 2;
    return std::nullopt;
  case Value::Kind::Boolean:
    return to == TypeKind::Boolean ? std::optional(0) : std::nullopt;
  case Value::Kind::String:
    return to == TypeKind::String ? std::optional(0) : std::nullopt;
  case Value::Kind::Nil:
    return to == TypeKind::Class ? std::optional(0) : std::nullopt;
  case Value::Kind::Object:
    return to == TypeKind::Class && sameType(arg.typeName(), param.type) ? std::optional(0)
                                                                         : std::nullopt;
  case Value::Kind::Nothing:
    return std::nullopt;
  }
  return std::nullopt;
}

int resolveOverload(const std::vector<const Declaration*>& candidates,
                    const std::vector<Value>& args, std::string* error) {
  int best = -1;
  int bestCost = std::numeric_limits<int>::max();
  std::vector<const Declaration*> tied;
  for (size_t i = 0; i < candidates.size(); ++i) {
    const Declaration& d = *candidates[i];
    if (d.params.size() != args.size()) continue;
    int cost = 0;
    bool fits = true;
    for (size_t a = 0; a < args.size() && fits; ++a) {
      std::optional<int> c = conversionCost(args[a], d.params[a]);
      fits = c.has_value();
      cost += c.value_or(0);
    }
    if (!fits || cost > bestCost) continue;
    if (cost < bestCost) tied.clear();
    tied.push_back(&d);
    best = static_cast<int>(i);
    bestCost = cost;
  }
  if (tied.size() == 1) return best;
  if (error) {
    std::string_view name = candidates.empty() ? std::string_view() : candidates[0]->name;
    if (tied.empty()) {
      *error = noMatchMessage(name, args);
    } else {
      *error = "an ambiguous call " + callShape(name, args) + ":";
      for (size_t t = 0; t < tied.size(); ++t) *error += (t == 0 ? " " : " or ") + tied[t]->text;
    }
  }
  return -1;
}

std::string callShape(std::string_view name, const std::vector<Value>& args) {
  return std::string(name) + "(" + argumentList(args) + ")";
}

std::string noMatchMessage(std::string_view name, const std::vector<Value>& args) {
  return std::string(sameName(name, "Constructor") ? "no constructor " : "no method ") +
         callShape(name, args);
}

} // namespace host
