// One call into plug-in code, made with libffi from Xojo types: the instance first, then each
// argument as its declared type passes it: Double as double, Integer as XojoInteger, Boolean as
// C++ bool, String as a host string made for the call, any class as its object handle.
#pragma once

#include <ffi.h>

#include <string_view>
#include <vector>

#include "host.h"

namespace host {

class NativeCall {
public:
  explicit NativeCall(REALobjectStruct* instance);
  ~NativeCall(); // gives back the strings made for the call
  NativeCall(const NativeCall&) = delete;
  NativeCall& operator=(const NativeCall&) = delete;

  // `value` as a parameter of `type`; it must convert (see conversionCost).
  void add(const Value& value, std::string_view type);
  void addInteger(XojoInteger value);
  // Calls `function` and reads its result as `resultType` ("" for none). A returned string is
  // copied and given back; a returned object's reference passes to the Value.
  Value run(REALproc function, std::string_view resultType);

private:
  union Cell {
    double number;
    XojoInteger integer;
    bool boolean;
    void* pointer;
  };
  void push(ffi_type* type, Cell cell);

  std::vector<ffi_type*> types_;
  std::vector<Cell> cells_;
  std::vector<REALstringStruct*> temporaries_;
};

// Scalar conversions of argument and property values: an Integer to a Double, a Double to an
// Integer truncated toward zero (the nearest extreme beyond the range, NaN to 0).
double doubleOf(const Value& v);
XojoInteger integerOf(const Value& v);

} // namespace host
