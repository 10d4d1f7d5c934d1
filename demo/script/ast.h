// The parsed script: statements in order, each holding its expressions.
#pragma once

#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "error.h"
#include "host/value.h"

namespace script {

struct Expr;
using ExprPtr = std::unique_ptr<Expr>;

struct Expr {
  enum class Kind {
    Literal,  // a number, a string, True, False or Nil: `literal`
    Variable, // `name`
    New,      // New `name`(args)
    Member,   // `object`.`name`, or `object`.`name`(args) when `parens`
    Negate,   // -`operand`
    Binary,   // `left` `name` `right`; `name` is the operator: + - * / = <> < > <= >= Is
  };
  Kind kind;
  Position at; // where a message about this expression points
  host::Value literal;
  std::string name;
  ExprPtr left, right; // Member: the object is `left`; Negate: the operand is `left`
  std::vector<ExprPtr> args;
  bool parens = false;
};

struct Name {
  std::string text;
  Position at;
};

struct Statement;

// Var a, b As [New] Type[(args)] [= value]
struct Declare {
  std::vector<Name> names;
  Name type;
  bool isNew = false;
  std::vector<ExprPtr> args; // of New
  ExprPtr value;             // the initial value, if given
};

// target = value, where target is a variable, a property, or an assignable method's call
struct Assign {
  ExprPtr target;
  ExprPtr value;
};

// obj.Method(args), obj.Method args, obj.Method
struct Call {
  ExprPtr call;
};

struct Print {
  std::vector<ExprPtr> items;
};

// Render "file.png", width, height [, polygon...]
struct Render {
  std::vector<ExprPtr> args;
};

// For i [As Integer] = first To last [Step step] ... Next [i]
struct For {
  Name variable;
  std::string type; // "" when the loop uses a variable declared before
  ExprPtr first, last, step;
  std::vector<Statement> body;
};

struct Statement {
  Position at;
  std::variant<Declare, Assign, Call, Print, Render, For> what;
};

using Program = std::vector<Statement>;

} // namespace script
