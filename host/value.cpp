#include "value.h"

#include <charconv>
#include <utility>

#include "host.h"

namespace host {

namespace {

const char* kindName(Value::Kind kind) {
  switch (kind) {
  case Value::Kind::Nothing:
    return "Nothing";
  case Value::Kind::Nil:
    return "Nil";
  case Value::Kind::Boolean:
    return "Boolean";
  case Value::Kind::Integer:
    return "Integer";
  case Value::Kind::Double:
    return "Double";
  case Value::Kind::String:
    return "String";
  case Value::Kind::Object:
    return "Object";
  }
  return "";
}

[[noreturn]] void wrongKind(const Value& v, const char* wanted) {
  throw Error(std::string("expected a ") + wanted + ", got " + v.describe());
}

// The shortest text that reads back as the same double: 1.5, -2, 1e+100, nan.
std::string shortest(double d) {
  char text[32];
  auto [end, ec] = std::to_chars(text, text + sizeof text, d);
  return std::string(text, end);
}

} // namespace

Value Value::adopt(REALobjectStruct* object) {
  Value v(object ? Kind::Object : Kind::Nil);
  v.object_ = object;
  return v;
}

Value Value::retain(REALobjectStruct* object) {
  if (object) retainObject(object);
  return adopt(object);
}

Value::Value(const Value& other)
    : kind_(other.kind_), boolean_(other.boolean_), integer_(other.integer_),
      number_(other.number_), text_(other.text_), object_(other.object_) {
  if (object_) retainObject(object_);
}

Value::Value(Value&& other) noexcept {
  swap(other);
}

Value& Value::operator=(Value other) noexcept {
  swap(other);
  return *this;
}

Value::~Value() {
  if (object_) releaseObject(object_);
}

void Value::swap(Value& other) noexcept {
  std::swap(kind_, other.kind_);
  std::swap(boolean_, other.boolean_);
  std::swap(integer_, other.integer_);
  std::swap(number_, other.number_);
  std::swap(text_, other.text_);
  std::swap(object_, other.object_);
}

bool Value::asBoolean() const {
  if (kind_ != Kind::Boolean) wrongKind(*this, "Boolean");
  return boolean_;
}

XojoInteger Value::asInteger() const {
  if (kind_ != Kind::Integer) wrongKind(*this, "Integer");
  return integer_;
}

double Value::asDouble() const {
  if (kind_ != Kind::Double) wrongKind(*this, "Double");
  return number_;
}

const std::string& Value::asString() const {
  if (kind_ != Kind::String) wrongKind(*this, "String");
  return text_;
}

REALobjectStruct* Value::object() const {
  if (kind_ != Kind::Object && kind_ != Kind::Nil) wrongKind(*this, "object or Nil");
  return object_;
}

std::string Value::typeName() const {
  switch (kind_) {
  case Kind::Nothing:
    return "";
  case Kind::Object:
    return classNameOf(object_);
  default:
    return kindName(kind_);
  }
}

std::string Value::describe() const {
  switch (kind_) {
  case Kind::Boolean:
    return boolean_ ? "True" : "False";
  case Kind::Integer:
    return std::to_string(integer_);
  case Kind::Double:
    return shortest(number_);
  case Kind::String:
    return std::string("\"").append(text_).append("\"");
  case Kind::Object:
    return std::string("<").append(classNameOf(object_)).append(">");
  default:
    return kindName(kind_);
  }
}

} // namespace host
