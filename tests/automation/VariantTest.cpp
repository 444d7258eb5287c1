#include <platform/automation/Variant.h>
#include <gtest/gtest.h>

#include <string>

namespace {

using namespace platform::automation;

struct Coercion {
  const char* what;
  Variant from;
  VARTYPE target;
  HRESULT expected;
  Variant result;  // when expected succeeds
};

void PrintTo(const Coercion& c, std::ostream* out) { *out << c.what; }

Variant bstr(const char16_t* text) { return Variant::fromBstr(text); }

const Coercion coercions[] = {
    // The puts a host makes on a 16-bit year.
    {"I4 to I2", Variant::fromI4(1999), VT_I2, S_OK, Variant::fromI2(1999)},
    {"text to I2", bstr(u"1999"), VT_I2, S_OK, Variant::fromI2(1999)},
    {"I4 beyond I2", Variant::fromI4(70000), VT_I2, DISP_E_OVERFLOW, {}},
    {"I4 below I2", Variant::fromI4(-32769), VT_I2, DISP_E_OVERFLOW, {}},
    {"text beyond I2", bstr(u"70000"), VT_I2, DISP_E_OVERFLOW, {}},
    {"no number", bstr(u"abc"), VT_I2, DISP_E_TYPEMISMATCH, {}},
    {"empty text", bstr(u""), VT_I2, DISP_E_TYPEMISMATCH, {}},
    {"only blanks", bstr(u"   "), VT_I2, DISP_E_TYPEMISMATCH, {}},
    {"digits then letters", bstr(u"12ab"), VT_I2, DISP_E_TYPEMISMATCH, {}},
    {"two numbers", bstr(u"1 2"), VT_I2, DISP_E_TYPEMISMATCH, {}},
    {"sign alone", bstr(u"-"), VT_I2, DISP_E_TYPEMISMATCH, {}},
    {"point alone", bstr(u"."), VT_I2, DISP_E_TYPEMISMATCH, {}},
    // Blanks, signs and decimals as the classic text conversion reads them.
    {"blanks around", bstr(u" \t-12  "), VT_I2, S_OK, Variant::fromI2(-12)},
    {"plus sign", bstr(u"+7"), VT_I2, S_OK, Variant::fromI2(7)},
    {"lowest I2", bstr(u"-32768"), VT_I2, S_OK, Variant::fromI2(-32768)},
    {"half rounds to even, down", bstr(u"2.5"), VT_I2, S_OK, Variant::fromI2(2)},
    {"half rounds to even, up", bstr(u"3.5"), VT_I2, S_OK, Variant::fromI2(4)},
    {"above half rounds up", bstr(u"2.5001"), VT_I2, S_OK, Variant::fromI2(3)},
    {"below half rounds down", bstr(u"0.4999"), VT_I2, S_OK, Variant::fromI2(0)},
    {"negative half to even", bstr(u"-2.5"), VT_I2, S_OK, Variant::fromI2(-2)},
    {"negative half up to even", bstr(u"-3.5"), VT_I2, S_OK, Variant::fromI2(-4)},
    {"trailing point", bstr(u"1."), VT_I2, S_OK, Variant::fromI2(1)},
    {"leading point", bstr(u".9"), VT_I2, S_OK, Variant::fromI2(1)},
    {"rounding past the top", bstr(u"32767.5"), VT_I2, DISP_E_OVERFLOW, {}},
    {"huge text", bstr(u"99999999999999999999999"), VT_I4, DISP_E_OVERFLOW, {}},
    {"text to I4", bstr(u"-2147483648"), VT_I4, S_OK, Variant::fromI4(INT32_MIN)},
    // Unsigned byte.
    {"negative to UI1", Variant::fromI2(-1), VT_UI1, DISP_E_OVERFLOW, {}},
    {"256 to UI1", Variant::fromI4(256), VT_UI1, DISP_E_OVERFLOW, {}},
    {"255 to UI1", Variant::fromI4(255), VT_UI1, S_OK, Variant::fromUI1(255)},
    {"negative zero text to UI1", bstr(u"-0.4"), VT_UI1, S_OK, Variant::fromUI1(0)},
    {"UI1 to I2", Variant::fromUI1(200), VT_I2, S_OK, Variant::fromI2(200)},
    // Booleans are -1 and 0.
    {"true to I2", Variant::fromBool(true), VT_I2, S_OK, Variant::fromI2(-1)},
    {"true to I4", Variant::fromBool(true), VT_I4, S_OK, Variant::fromI4(-1)},
    {"true to UI1", Variant::fromBool(true), VT_UI1, S_OK, Variant::fromUI1(255)},
    {"false to I4", Variant::fromBool(false), VT_I4, S_OK, Variant::fromI4(0)},
    {"true to text", Variant::fromBool(true), VT_BSTR, S_OK, bstr(u"True")},
    {"false to text", Variant::fromBool(false), VT_BSTR, S_OK, bstr(u"False")},
    {"zero to bool", Variant::fromI2(0), VT_BOOL, S_OK, Variant::fromBool(false)},
    {"five to bool", Variant::fromI4(5), VT_BOOL, S_OK, Variant::fromBool(true)},
    {"word true", bstr(u" TRUE "), VT_BOOL, S_OK, Variant::fromBool(true)},
    {"word false", bstr(u"False"), VT_BOOL, S_OK, Variant::fromBool(false)},
    {"numeric text to bool", bstr(u"-1"), VT_BOOL, S_OK, Variant::fromBool(true)},
    {"other word to bool", bstr(u"maybe"), VT_BOOL, DISP_E_TYPEMISMATCH, {}},
    // Numbers as decimal text.
    {"I4 to text", Variant::fromI4(-42), VT_BSTR, S_OK, bstr(u"-42")},
    {"UI1 to text", Variant::fromUI1(200), VT_BSTR, S_OK, bstr(u"200")},
    {"I2 to text", Variant::fromI2(1999), VT_BSTR, S_OK, bstr(u"1999")},
    // Empty reads as nothing of every kind.
    {"empty to I2", Variant(), VT_I2, S_OK, Variant::fromI2(0)},
    {"empty to UI1", Variant(), VT_UI1, S_OK, Variant::fromUI1(0)},
    {"empty to text", Variant(), VT_BSTR, S_OK, bstr(u"")},
    {"empty to bool", Variant(), VT_BOOL, S_OK, Variant::fromBool(false)},
    // Objects convert to objects only.
    {"object to I2", Variant::fromDispatch(nullptr), VT_I2, DISP_E_TYPEMISMATCH, {}},
    {"object to text", Variant::fromDispatch(nullptr), VT_BSTR, DISP_E_TYPEMISMATCH, {}},
    {"text to object", bstr(u"x"), VT_DISPATCH, DISP_E_TYPEMISMATCH, {}},
    {"empty to object", Variant(), VT_DISPATCH, DISP_E_TYPEMISMATCH, {}},
    {"object to object", Variant::fromDispatch(nullptr), VT_DISPATCH, S_OK, Variant::fromDispatch(nullptr)},
    {"kind we do not hold", Variant::fromI2(1), VT_NULL, DISP_E_BADVARTYPE, {}},
};

class VariantCoercion : public testing::TestWithParam<Coercion> {};

TEST_P(VariantCoercion, GivesTheClassicResult) {
  const Coercion& c = GetParam();
  Variant out = Variant::fromBstr(u"untouched");
  EXPECT_EQ(c.from.changeType(c.target, out), c.expected);
  if (succeeded(c.expected))
    EXPECT_TRUE(out == c.result) << "type " << out.type();
  else
    EXPECT_TRUE(out == Variant::fromBstr(u"untouched")) << "a failed coercion must leave the target alone";
}

INSTANTIATE_TEST_SUITE_P(Table, VariantCoercion, testing::ValuesIn(coercions),
                         [](const testing::TestParamInfo<Coercion>& info) {
                           std::string name = info.param.what;
                           for (char& c : name)
                             if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                           return name;
                         });

TEST(Variant, ConvertsInPlace) {
  Variant v = Variant::fromBstr(u" 1999 ");
  ASSERT_EQ(v.changeType(VT_I2, v), S_OK);
  EXPECT_EQ(v.type(), VT_I2);
  EXPECT_EQ(v.i2(), 1999);
  Variant kept = Variant::fromI4(70000);
  EXPECT_EQ(kept.changeType(VT_I2, kept), DISP_E_OVERFLOW);
  EXPECT_EQ(kept.i4(), 70000);
}

}  // namespace
