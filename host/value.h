// A value as a Xojo program sees it: what the host passes to a method and what it gets back.
#pragma once

#include <string>
#include <type_traits>

#include "../bridge/plugin_types.h"

namespace host {

// Reference counting of host objects, served by the current Host.
void retainObject(REALobjectStruct* object);
void releaseObject(REALobjectStruct* object);
std::string classNameOf(REALobjectStruct* object); // "" for a dead or unknown handle

class Value {
public:
  enum class Kind { Nothing, Nil, Boolean, Integer, Double, String, Object };

  Value() = default; // Nothing: the result of a method without a result
  Value(bool b) : kind_(Kind::Boolean), boolean_(b) {}
  template <class I, std::enable_if_t<std::is_integral_v<I> && !std::is_same_v<I, bool>, int> = 0>
  Value(I i) : kind_(Kind::Integer), integer_(static_cast<XojoInteger>(i)) {}
  Value(double d) : kind_(Kind::Double), number_(d) {}
  Value(const char* s) : kind_(Kind::String), text_(s) {}
  Value(std::string s) : kind_(Kind::String), text_(std::move(s)) {}

  static Value nil() { return Value(Kind::Nil); }
  // Takes over one reference the caller holds; a null handle gives Nil.
  static Value adopt(REALobjectStruct* object);
  // Adds a reference of its own; a null handle gives Nil.
  static Value retain(REALobjectStruct* object);

  Value(const Value& other);
  Value(Value&& other) noexcept;
  Value& operator=(Value other) noexcept;
  ~Value();

  Kind kind() const { return kind_; }
  bool isNil() const { return kind_ == Kind::Nil; }
  bool isNothing() const { return kind_ == Kind::Nothing; }
  bool isObject() const { return kind_ == Kind::Object; }

  // Accessors throw host::Error on a value of another kind.
  bool asBoolean() const;
  XojoInteger asInteger() const;
  double asDouble() const;
  const std::string& asString() const;
  REALobjectStruct* object() const; // the handle of an Object, null for Nil

  // "Double", "Integer", "Boolean", "String", "Nil", the class name of an object, or "".
  std::string typeName() const;
  // A short rendering for messages and logs: 1.5, 2, True, "abc", Nil, <PointF>.
  std::string describe() const;

private:
  explicit Value(Kind k) : kind_(k) {}
  void swap(Value& other) noexcept;

  Kind kind_ = Kind::Nothing;
  bool boolean_ = false;
  XojoInteger integer_ = 0;
  double number_ = 0.0;
  std::string text_;
  REALobjectStruct* object_ = nullptr;
};

} // namespace host
