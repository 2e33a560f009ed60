#include <qdk_orv/automation.h>

#include "ScratchDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

namespace {

std::u16string textOf(BSTR b) { return b ? std::u16string(b, SysStringLen(b)) : std::u16string(); }

TEST(Texts, CarryTheirLengthBeforeThemAndANulAfter)
{
    BSTR text = SysAllocStringLen(u"a\0b", 3);  // an embedded NUL is part of the text
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(SysStringLen(text), 3u);
    EXPECT_EQ(SysStringByteLen(text), 6u);
    std::uint32_t prefix;
    std::memcpy(&prefix, reinterpret_cast<char*>(text) - 4, 4);
    EXPECT_EQ(prefix, 6u);
    EXPECT_EQ(text[3], u'\0');
    // Any module frees a text by the block that starts at its prefix.
    std::free(reinterpret_cast<char*>(text) - 4);

    BSTR odd = SysAllocStringByteLen("abc", 3);
    EXPECT_EQ(SysStringByteLen(odd), 3u);
    EXPECT_EQ(SysStringLen(odd), 1u);
    SysFreeString(odd);

    EXPECT_EQ(SysStringLen(nullptr), 0u);
    SysFreeString(nullptr);
    BSTR replaced = SysAllocString(u"old");
    ASSERT_TRUE(SysReAllocString(&replaced, u"newer"));
    EXPECT_EQ(textOf(replaced), u"newer");
    SysFreeString(replaced);
}

struct Conversion {
    const char* name;
    VARIANT source;
    VARTYPE target;
    HRESULT expected;
    std::int64_t number;    // expected integer or Boolean (as -1/0) value
    std::u16string text;    // expected text
};

VARIANT makeInt(VARTYPE vt, std::int64_t v)
{
    VARIANT x;
    VariantInit(&x);
    x.vt = vt;
    x.llVal = 0;
    if (vt == VT_I2) x.iVal = static_cast<std::int16_t>(v);
    else if (vt == VT_I4) x.lVal = static_cast<std::int32_t>(v);
    else if (vt == VT_BOOL) x.boolVal = v ? VARIANT_TRUE : VARIANT_FALSE;
    else x.llVal = v;
    return x;
}
VARIANT makeReal(double d) { VARIANT x; VariantInit(&x); x.vt = VT_R8; x.dblVal = d; return x; }
VARIANT makeText(const char16_t* s) { VARIANT x; VariantInit(&x); x.vt = VT_BSTR; x.bstrVal = SysAllocString(s); return x; }
VARIANT makeEmpty() { VARIANT x; VariantInit(&x); return x; }

TEST(Variants, ChangeTypeConvertsAsAutomationDoes)
{
    Conversion rows[] = {
        {"empty to I4 is 0", makeEmpty(), VT_I4, S_OK, 0, u""},
        {"empty to text is empty", makeEmpty(), VT_BSTR, S_OK, 0, u""},
        {"I2 to I4", makeInt(VT_I2, -7), VT_I4, S_OK, -7, u""},
        {"I4 out of I2 range", makeInt(VT_I4, 40000), VT_I2, DISP_E_OVERFLOW, 0, u""},
        {"real rounds half to even", makeReal(2.5), VT_I4, S_OK, 2, u""},
        {"real rounds", makeReal(-3.6), VT_I2, S_OK, -4, u""},
        {"text to I2", makeText(u" 1200 "), VT_I2, S_OK, 1200, u""},
        {"empty text to I2", makeText(u""), VT_I2, DISP_E_TYPEMISMATCH, 0, u""},
        {"word to I4", makeText(u"wide"), VT_I4, DISP_E_TYPEMISMATCH, 0, u""},
        {"true to I4 is -1", makeInt(VT_BOOL, 1), VT_I4, S_OK, -1, u""},
        {"I4 to Boolean", makeInt(VT_I4, 5), VT_BOOL, S_OK, -1, u""},
        {"text True to Boolean", makeText(u"true"), VT_BOOL, S_OK, -1, u""},
        {"I4 to text", makeInt(VT_I4, -42), VT_BSTR, S_OK, 0, u"-42"},
        {"Boolean to text", makeInt(VT_BOOL, 0), VT_BSTR, S_OK, 0, u"False"},
        {"real to text", makeReal(0.5), VT_BSTR, S_OK, 0, u"0.5"},
        {"text to dispatch", makeText(u"x"), VT_DISPATCH, DISP_E_TYPEMISMATCH, 0, u""},
    };
    for (auto& row : rows) {
        SCOPED_TRACE(row.name);
        VARIANT out;
        VariantInit(&out);
        const HRESULT hr = VariantChangeType(&out, &row.source, 0, row.target);
        EXPECT_EQ(hr, row.expected);
        if (SUCCEEDED(hr)) {
            EXPECT_EQ(out.vt, row.target);
            if (row.target == VT_BSTR) {
                EXPECT_EQ(textOf(out.bstrVal), row.text);
            } else if (row.target == VT_I4) {
                EXPECT_EQ(out.lVal, row.number);
            } else if (row.target == VT_I2) {
                EXPECT_EQ(out.iVal, row.number);
            } else if (row.target == VT_BOOL) {
                EXPECT_EQ(out.boolVal, row.number);
            }
        }
        VariantClear(&out);
        VariantClear(&row.source);
    }
}

TEST(Variants, ByReferenceSourcesAreReadThroughAndCopiesAreDeep)
{
    std::int32_t number = 17;
    VARIANT ref;
    VariantInit(&ref);
    ref.vt = VT_I4 | VT_BYREF;
    ref.plVal = &number;
    VARIANT out;
    VariantInit(&out);
    ASSERT_EQ(VariantChangeType(&out, &ref, 0, VT_BSTR), S_OK);
    EXPECT_EQ(textOf(out.bstrVal), u"17");

    VARIANT copy;
    VariantInit(&copy);
    ASSERT_EQ(VariantCopy(&copy, &out), S_OK);
    EXPECT_NE(copy.bstrVal, out.bstrVal);
    VariantClear(&out);
    EXPECT_EQ(textOf(copy.bstrVal), u"17");
    VariantClear(&copy);
    EXPECT_EQ(copy.vt, VT_EMPTY);
}

TEST(Arrays, StoreCopiesAndCheckBounds)
{
    SAFEARRAY* texts = SafeArrayCreateVector(VT_BSTR, 0, 2);
    ASSERT_NE(texts, nullptr);
    VARTYPE type = VT_EMPTY;
    ASSERT_EQ(SafeArrayGetVartype(texts, &type), S_OK);
    EXPECT_EQ(type, VT_BSTR);
    BSTR mine = SysAllocString(u"File");
    LONG at = 1;
    ASSERT_EQ(SafeArrayPutElement(texts, &at, mine), S_OK);
    SysFreeString(mine);  // the array holds its own copy
    BSTR back = nullptr;
    ASSERT_EQ(SafeArrayGetElement(texts, &at, &back), S_OK);
    EXPECT_EQ(textOf(back), u"File");
    SysFreeString(back);
    LONG bound;
    SafeArrayGetUBound(texts, 1, &bound);
    EXPECT_EQ(bound, 1);
    at = 2;
    EXPECT_EQ(SafeArrayPutElement(texts, &at, nullptr), DISP_E_BADINDEX);
    at = -1;
    EXPECT_EQ(SafeArrayGetElement(texts, &at, &back), DISP_E_BADINDEX);

    void* data;
    SafeArrayAccessData(texts, &data);
    EXPECT_EQ(SafeArrayDestroy(texts), DISP_E_ARRAYISLOCKED);
    SafeArrayUnaccessData(texts);
    EXPECT_EQ(SafeArrayDestroy(texts), S_OK);

    SAFEARRAY* variants = SafeArrayCreateVector(VT_VARIANT, 0, 1);
    VARIANT value = makeText(u"Folder");
    at = 0;
    ASSERT_EQ(SafeArrayPutElement(variants, &at, &value), S_OK);
    VariantClear(&value);
    EXPECT_EQ(SafeArrayDestroy(variants), S_OK);
    EXPECT_EQ(SafeArrayCreateVector(VT_NULL, 0, 1), nullptr);
}

TEST(ErrorInformation, IsKeptPerThreadAndReadOnce)
{
    ASSERT_EQ(QdkSetErrorInfo(static_cast<HRESULT>(0x800403E8u), u"Base64.DecodeToFile", u"File already exists."), S_OK);
    std::thread other([] {
        HRESULT number;
        EXPECT_EQ(QdkGetErrorInfo(&number, nullptr, nullptr), S_FALSE);
    });
    other.join();
    HRESULT number;
    BSTR source;
    BSTR description;
    ASSERT_EQ(QdkGetErrorInfo(&number, &source, &description), S_OK);
    EXPECT_EQ(number, static_cast<HRESULT>(0x800403E8u));
    EXPECT_EQ(textOf(source), u"Base64.DecodeToFile");
    EXPECT_EQ(textOf(description), u"File already exists.");
    SysFreeString(source);
    SysFreeString(description);
    EXPECT_EQ(QdkGetErrorInfo(&number, &source, &description), S_FALSE);
}

TEST(Identifiers, RoundTripThroughText)
{
    const GUID id = {0xa58f2b0f, 0xb0c0, 0x43bc, {0xae, 0x0e, 0x17, 0xd5, 0x39, 0x47, 0x52, 0x5f}};
    OLECHAR text[39];
    ASSERT_EQ(StringFromGUID2(id, text, 39), 39);
    EXPECT_EQ(std::u16string(text), u"{A58F2B0F-B0C0-43BC-AE0E-17D53947525F}");
    GUID back{};
    ASSERT_EQ(CLSIDFromString(u"a58f2b0f-b0c0-43bc-ae0e-17d53947525f", &back), S_OK);
    EXPECT_TRUE(back == id);
    for (const char16_t* bad : {u"", u"{a58f2b0f-b0c0-43bc-ae0e-17d53947525f", u"a58f2b0f-b0c0-43bc-ae0e-17d53947525", u"g58f2b0f-b0c0-43bc-ae0e-17d53947525f"})
        EXPECT_EQ(CLSIDFromString(bad, &back), E_INVALIDARG);
}

TEST(ClassRecords, AreWrittenFoundAndRemoved)
{
    orv::test::ScratchDir data;
    setenv("XDG_DATA_HOME", data.path().c_str(), 1);
    const CLSID id = {0x01234567, 0x89ab, 0xcdef, {1, 2, 3, 4, 5, 6, 7, 8}};
    char module[256];
    EXPECT_EQ(QdkGetClassModule(id, module, sizeof module), REGDB_E_CLASSNOTREG);

    const QdkClassRecord record{"Test.Class", "/opt/test/libtest.so", "Apartment", GUID_NULL, GUID_NULL, "1.0"};
    ASSERT_EQ(QdkRegisterClass(id, &record), S_OK);
    ASSERT_EQ(QdkGetClassModule(id, module, sizeof module), S_OK);
    EXPECT_STREQ(module, "/opt/test/libtest.so");
    EXPECT_TRUE(std::filesystem::exists(data / "qdk/classes/{01234567-89AB-CDEF-0102-030405060708}.class"));

    const QdkClassRecord relative{"Test.Class", "libtest.so", "Apartment", GUID_NULL, GUID_NULL, "1.0"};
    EXPECT_EQ(QdkRegisterClass(id, &relative), E_INVALIDARG);

    EXPECT_EQ(QdkUnregisterClass(id), S_OK);
    EXPECT_EQ(QdkUnregisterClass(id), S_FALSE);
    EXPECT_EQ(QdkGetClassModule(id, module, sizeof module), REGDB_E_CLASSNOTREG);

    void* object = reinterpret_cast<void*>(1);
    EXPECT_EQ(CoCreateInstance(id, nullptr, CLSCTX_INPROC_SERVER, GUID_NULL, &object), REGDB_E_CLASSNOTREG);
    EXPECT_EQ(object, nullptr);
}

}  // namespace
