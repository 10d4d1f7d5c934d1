#include "native_call.h"

#include "../bridge/convert.h"

namespace host {

namespace {

ffi_type* integerType() {
  return sizeof(XojoInteger) == 8 ? &ffi_type_sint64 : &ffi_type_sint32;
}

ffi_type* ffiTypeOf(std::string_view type) {
  if (type.empty()) return &ffi_type_void;
  switch (typeKind(type)) {
  case TypeKind::Double:
    return &ffi_type_double;
  case TypeKind::Integer:
    return integerType();
  case TypeKind::Boolean:
    return &ffi_type_uint8;
  case TypeKind::String:
  case TypeKind::Class:
    return &ffi_type_pointer;
  }
  return &ffi_type_void;
}

} // namespace

double doubleOf(const Value& v) {
  return v.kind() == Value::Kind::Integer ? static_cast<double>(v.asInteger()) : v.asDouble();
}

XojoInteger integerOf(const Value& v) {
  return v.kind() == Value::Kind::Double ? tl::saturatingTrunc<XojoInteger>(v.asDouble())
                                         : v.asInteger();
}

NativeCall::NativeCall(REALobjectStruct* instance) {
  push(&ffi_type_pointer, {.pointer = instance});
}

NativeCall::~NativeCall() {
  for (REALstringStruct* s : temporaries_) Host::current().unlockString(s);
}

void NativeCall::push(ffi_type* type, Cell cell) {
  types_.push_back(type);
  cells_.push_back(cell);
}

void NativeCall::add(const Value& value, std::string_view type) {
  switch (typeKind(type)) {
  case TypeKind::Double:
    return push(&ffi_type_double, {.number = doubleOf(value)});
  case TypeKind::Integer:
    return addInteger(integerOf(value));
  case TypeKind::Boolean:
    return push(&ffi_type_uint8, {.boolean = value.asBoolean()});
  case TypeKind::String: {
    REALstringStruct* s = Host::current().newString(value.asString());
    temporaries_.push_back(s);
    return push(&ffi_type_pointer, {.pointer = s});
  }
  case TypeKind::Class:
    return push(&ffi_type_pointer, {.pointer = value.object()});
  }
}

void NativeCall::addInteger(XojoInteger value) {
  push(integerType(), {.integer = value});
}

Value NativeCall::run(REALproc function, std::string_view resultType) {
  std::vector<void*> values;
  for (Cell& c : cells_) values.push_back(&c);
  ffi_cif cif;
  if (ffi_prep_cif(&cif, FFI_DEFAULT_ABI, static_cast<unsigned>(types_.size()),
                   ffiTypeOf(resultType), types_.data()) != FFI_OK)
    throw Error("libffi cannot prepare a call returning \"" + std::string(resultType) + "\"");
  // Integral results come back widened to a whole ffi_arg.
  union {
    ffi_arg word;
    ffi_sarg signedWord;
    double number;
    void* pointer;
  } result{};
  ffi_call(&cif, function, &result, values.data());

  if (resultType.empty()) return Value();
  switch (typeKind(resultType)) {
  case TypeKind::Double:
    return Value(result.number);
  case TypeKind::Integer:
    return Value(static_cast<XojoInteger>(result.signedWord));
  case TypeKind::Boolean:
    return Value(static_cast<uint8_t>(result.word) != 0);
  case TypeKind::String: {
    auto* s = static_cast<REALstringStruct*>(result.pointer);
    if (!s) return Value::nil();
    Value text(Host::text(s));
    Host::current().unlockString(s);
    return text;
  }
  case TypeKind::Class:
    return Value::adopt(static_cast<REALobjectStruct*>(result.pointer));
  }
  return Value();
}

} // namespace host
