// Xojo method declarations as the plug-ins register them, e.g.
// "Rotate(angle as Double,rotateAroundPoint as PointF)" or "LenB( s as string ) as integer",
// and the overload resolution that picks one of several declarations for a call.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "value.h"

namespace host {

struct Parameter {
  std::string name;
  std::string type;   // as written, e.g. "Double", "Xojo.Core.Point"
  bool array = false; // "point() as Integer"
};

struct Declaration {
  std::string text; // as registered, blanks included
  std::string name;
  std::vector<Parameter> params;
  std::string result; // "" for a method without a result
};

// Parses a declaration; on failure returns nullopt and, if asked, says why.
std::optional<Declaration> parseDeclaration(std::string_view text, std::string* error = nullptr);

// True when the type names are the same Xojo type (the language ignores case).
bool sameType(std::string_view a, std::string_view b);

// The scalar types of the language; every other type name names a class.
enum class TypeKind { Double, Integer, Boolean, String, Class };
TypeKind typeKind(std::string_view type);

// True when both declare the same method: the same name, parameter types and result, whatever
// the blanks, the parameter names and the case.
bool sameMethod(const Declaration& a, const Declaration& b);

// What passing `arg` to `param` costs: 0 for an exact type (Nil or an object of the class to a
// class parameter included), 1 for an Integer to a Double, 2 for a Double to an Integer
// (truncated toward zero); nullopt when it cannot be passed.
std::optional<int> conversionCost(const Value& arg, const Parameter& param);

// The best of `candidates` for a call with `args`, as the language resolves overloads: each
// argument must convert to its parameter (an exact type, an Integer to a Double, a Double to an
// Integer, Nil or an object of the class to a class parameter); fewer conversions win; a tie
// between the best is ambiguous. Returns the index into `candidates`, or -1 with a message.
int resolveOverload(const std::vector<const Declaration*>& candidates,
                    const std::vector<Value>& args, std::string* error = nullptr);

// "Rotate(Double, PointF)": a call's shape, for messages.
std::string callShape(std::string_view name, const std::vector<Value>& args);

// "no method Rotate(String)" or "no constructor Constructor(String)": what a class lacks for a
// call. The messages of resolveOverload read the same way, so that the host can put the class
// name in front: "PolygonF has no method Rotate(String)".
std::string noMatchMessage(std::string_view name, const std::vector<Value>& args);

} // namespace host
