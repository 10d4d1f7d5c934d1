// SizeF as Xojo code uses it.
#include "planar_test.h"

using namespace planar_testing;

namespace {

class Size : public PlanarTest {
protected:
  void SetUp() override { startPlanar(); }
};

TEST_F(Size, ConstructorsOperatorsAndClone) {
  EXPECT_SAME_PAIR(readSize(host().create("SizeF")), (Pair{0, 0}));
  Value a = size(3, 4), b = size(1, -6);
  EXPECT_SAME_PAIR(readSize(call(a, "Operator_Add", {b})), (Pair{4, -2}));
  EXPECT_SAME_PAIR(readSize(call(a, "Operator_Subtract", {a})), (Pair{0, 0}));
  EXPECT_SAME_PAIR(readSize(call(a, "Operator_Subtract", {b})), (Pair{2, 10}));
  EXPECT_SAME_PAIR(readSize(call(size(2, 0), "Operator_Negate")), (Pair{-2, -0.0}));
  EXPECT_SAME_PAIR(readSize(a), (Pair{3, 4}));
  EXPECT_SAME_PAIR(readSize(b), (Pair{1, -6}));

  Value clone = host().get(a, "Clone");
  EXPECT_SAME_PAIR(readSize(clone), (Pair{3, 4}));
  host().set(clone, "Height", -1.0);
  EXPECT_SAME_PAIR(readSize(a), (Pair{3, 4}));
}

TEST_F(Size, NoPointMethods) {
  EXPECT_EQ(host().findClass("SizeF")->methods.size(), 7u);
  EXPECT_THROW(call(size(1, 1), "Rotate", {90.0, point(0, 0)}), host::Error);
}

TEST_F(Size, ConversionFromXojoCoreSize) {
  Value s = size(7, 7);
  call(s, "Operator_Convert",
       {host().newCoreObject("Xojo.Core.Size", {{"Width", 2.5}, {"Height", -0.0}})});
  EXPECT_SAME_PAIR(readSize(s), (Pair{2.5, -0.0}));
  call(s, "Operator_Convert", {host().newCoreObject("Xojo.Core.Size", {{"Width", 8}})});
  EXPECT_SAME_PAIR(readSize(s), (Pair{8, 0}));
  call(s, "Operator_Convert", {Value::nil()});
  EXPECT_SAME_PAIR(readSize(s), (Pair{0, 0}));
  EXPECT_EQ(host().lastException(), "");
}

} // namespace
