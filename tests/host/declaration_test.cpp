// Declarations as the plug-ins write them, and overload resolution among them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host_test_support.h"

using host::Declaration;
using host::Value;

namespace {

std::string show(const Declaration& d) {
  std::string s = d.name + "(";
  for (const host::Parameter& p : d.params)
    s += p.name + (p.array ? "()" : "") + ":" + p.type + (&p == &d.params.back() ? "" : ",");
  return s + ")" + (d.result.empty() ? "" : ":" + d.result);
}

TEST(Declaration, ParsesEveryStyleThePluginsUse) {
  struct Case {
    const char* text;
    const char* parsed; // name(parameter:type,...):result
  } cases[] = {
      {"Constructor()", "Constructor()"},
      {"Clamp(minimum as Double, maximum as Double)", "Clamp(minimum:Double,maximum:Double)"},
      {"Set(x as Double,y as Double,z as Double)", "Set(x:Double,y:Double,z:Double)"},
      {"LenB( s as string ) as integer", "LenB(s:string):integer"},
      {"DrawPolygon(point() as Integer)", "DrawPolygon(point():Integer)"},
      {"Operator_Convert(value as Xojo.Core.Point)", "Operator_Convert(value:Xojo.Core.Point)"},
      {"Operator_Convert() as String", "Operator_Convert():String"},
      {"HitTestCorners(x as Double,y as Double, tolerance as Integer) as Integer",
       "HitTestCorners(x:Double,y:Double,tolerance:Integer):Integer"},
      {"Operator_Add(rval as VectorF_3D) as VectorF_3D",
       "Operator_Add(rval:VectorF_3D):VectorF_3D"},
      {"  Length ( )  AS  Double  ", "Length():Double"},
  };
  for (const auto& c : cases) {
    std::string error;
    std::optional<Declaration> d = host::parseDeclaration(c.text, &error);
    ASSERT_TRUE(d) << c.text << ": " << error;
    EXPECT_EQ(show(*d), c.parsed);
    EXPECT_EQ(d->text, c.text) << "kept as registered";
  }
}

TEST(Declaration, RejectsMalformedText) {
  const char* cases[] = {
      "",
      "   ",
      "Length",
      "Length(",
      "(x as Double)",
      "1Length()",
      "Length() Double",
      "Length() as",
      "Length() as Double extra",
      "Scale(factor Double)",
      "Scale(factor as)",
      "Scale(factor as Double",
      "Scale(factor as Double,)",
      "Scale(,)",
      "Set(x as Double y as Double)",
      "Convert(value as Xojo..Point)",
      "Convert(value as Xojo.Core.)",
      "DrawPolygon(point( as Integer)",
      "Points() as Double()",
  };
  for (const char* text : cases) {
    std::string error;
    EXPECT_FALSE(host::parseDeclaration(text, &error)) << '"' << text << '"';
    EXPECT_FALSE(error.empty()) << '"' << text << '"';
  }
}

// Host methods are found by what they declare, not by their spelling.
TEST(Declaration, SameMethod) {
  struct Case {
    const char* a;
    const char* b;
    bool same;
  } cases[] = {
      {"LenB( s as string ) as integer", "LENB(text As String) As Integer", true},
      {"DrawRect(x as Integer,y as Integer,width as Integer,height as Integer)",
       "DrawRect(a as integer, b as integer, c as integer, d as integer)", true},
      {"DrawRect(x as Integer,y as Integer,width as Integer,height as Integer)",
       "DrawRect(x as Double,y as Double,width as Double,height as Double)", false},
      {"DrawPolygon(point() as Integer)", "DrawPolygon(point as Integer)", false},
      {"Str(number as Double) as String", "Str(number as Double)", false},
      {"Str(number as Double) as String", "Str(number as Double, digits as Integer) as String",
       false},
      {"Length() as Double", "Size() as Double", false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(host::sameMethod(*host::parseDeclaration(c.a), *host::parseDeclaration(c.b)), c.same)
        << c.a << " / " << c.b;
}

// Objects in calls need a host; two host classes stand for any two classes.
class Overloads : public testing_support::PluginTest {
protected:
  void SetUp() override { start({}); }
};

TEST_F(Overloads, PicksTheCheapestAndExplainsFailures) {
  Value point = host().newCoreObject("Xojo.Core.Point", {});
  Value size = host().newCoreObject("Xojo.Core.Size", {});
  struct Case {
    std::vector<const char*> candidates;
    std::vector<Value> args;
    int chosen;
    const char* error; // when none is chosen
  } cases[] = {
      // exact beats conversion
      {{"Scale(f as Double)", "Scale(f as Integer)"}, {2}, 1, ""},
      {{"Scale(f as Double)", "Scale(f as Integer)"}, {2.5}, 0, ""},
      {{"Scale(f as Double)"}, {2}, 0, ""},
      {{"Scale(f as Integer)"}, {2.7}, 0, ""},
      // Integer to Double is cheaper than Double to Integer
      {{"Mix(a as Double, b as Double)", "Mix(a as Integer, b as Integer)"}, {1, 2.5}, 0, ""},
      // objects and Nil go to class parameters
      {{"Offset(dx as Double, dy as Double)", "Offset(pt as Xojo.Core.Point)"}, {point}, 1, ""},
      {{"Offset(dx as Double, dy as Double)", "Offset(pt as Xojo.Core.Point)"}, {1, 2}, 0, ""},
      {{"Rotate(a as Double, c as Integer)", "Rotate(a as Double, p as Xojo.Core.Point)"},
       {90, Value::nil()},
       1,
       ""},
      {{"Take(p as xojo.core.point)"}, {point}, 0, ""},
      // ties
      {{"Take(p as Xojo.Core.Point)", "Take(s as Xojo.Core.Size)"},
       {Value::nil()},
       -1,
       "an ambiguous call Take(Nil): Take(p as Xojo.Core.Point) or Take(s as Xojo.Core.Size)"},
      {{"Mix(a as Double, b as Integer)", "Mix(a as Integer, b as Double)"},
       {1, 1},
       -1,
       "an ambiguous call Mix(Integer, Integer): Mix(a as Double, b as Integer) or "
       "Mix(a as Integer, b as Double)"},
      // no match
      {{"Rotate(angle as Double)"}, {"90"}, -1, "no method Rotate(String)"},
      {{"Rotate(angle as Double)"}, {}, -1, "no method Rotate()"},
      {{"Rotate(angle as Double)"}, {1.0, 2.0}, -1, "no method Rotate(Double, Double)"},
      {{"Show(flag as Boolean)"}, {1}, -1, "no method Show(Integer)"},
      {{"Scale(f as Double)"}, {Value::nil()}, -1, "no method Scale(Nil)"},
      {{"Take(p as Xojo.Core.Point)"}, {size}, -1, "no method Take(Xojo.Core.Size)"},
      {{"DrawPolygon(point() as Integer)"}, {1}, -1, "no method DrawPolygon(Integer)"},
      {{"Constructor(x as Double)"}, {"a"}, -1, "no constructor Constructor(String)"},
  };
  for (const Case& c : cases) {
    std::vector<Declaration> parsed;
    for (const char* text : c.candidates) parsed.push_back(*host::parseDeclaration(text));
    std::vector<const Declaration*> candidates;
    for (const Declaration& d : parsed) candidates.push_back(&d);
    std::string error;
    SCOPED_TRACE(std::string(c.candidates[0]) + " with " + host::callShape("", c.args));
    EXPECT_EQ(host::resolveOverload(candidates, c.args, &error), c.chosen);
    EXPECT_EQ(error, c.error);
  }
}

} // namespace
