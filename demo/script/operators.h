// The language's operators. Numbers use plain arithmetic and comparison, Strings concatenate
// and compare without regard to case; objects go through the methods their classes declare:
// + - * / through Operator_Add, Operator_Subtract, Operator_Multiply and Operator_Divide (or the
// right operand's Operator_AddRight and siblings), unary - through Operator_Negate, comparisons
// through Operator_Compare, and + with a String through "Operator_Convert() as String".
#pragma once

#include <string>

#include "runtime.h"

namespace script {

// `op` is one of + - * / = <> < > <= >= Is.
Operand binary(Runtime& rt, Position at, const std::string& op, const Operand& a, const Operand& b);
Operand negate(Runtime& rt, Position at, const Operand& a);

} // namespace script
