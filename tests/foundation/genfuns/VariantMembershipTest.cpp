#include "VariantMembership.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using qdk::genfuns::isMember;
using qdk::genfuns::variantsEqual;

struct Value {
    VARIANT v;
    Value() { VariantInit(&v); }
    static Value text(const char16_t* s) { Value x; x.v.vt = VT_BSTR; x.v.bstrVal = SysAllocString(s); return x; }
    static Value i4(std::int32_t n) { Value x; x.v.vt = VT_I4; x.v.lVal = n; return x; }
    static Value r8(double d) { Value x; x.v.vt = VT_R8; x.v.dblVal = d; return x; }
    static Value boolean(bool b) { Value x; x.v.vt = VT_BOOL; x.v.boolVal = b ? VARIANT_TRUE : VARIANT_FALSE; return x; }
    static Value null() { Value x; x.v.vt = VT_NULL; return x; }
    Value(Value&& o) noexcept : v(o.v) { VariantInit(&o.v); }
    ~Value() { VariantClear(&v); }
};

TEST(VariantMembership, ComparesAsVariantsDo)
{
    struct Row {
        const char* name;
        Value a, b;
        bool equal;
    };
    Row rows[] = {
        {"same text", Value::text(u"File"), Value::text(u"File"), true},
        {"letter case counts", Value::text(u"file"), Value::text(u"File"), false},
        {"numbers by value", Value::i4(3), Value::r8(3.0), true},
        {"different numbers", Value::i4(3), Value::r8(3.5), false},
        {"empty equals 0", Value(), Value::i4(0), true},
        {"empty equals the empty text", Value(), Value::text(u""), true},
        {"empty is not a word", Value(), Value::text(u"x"), false},
        {"a number never equals a text", Value::i4(1), Value::text(u"1"), false},
        {"true is -1", Value::boolean(true), Value::i4(-1), true},
        {"null equals nothing", Value::null(), Value::null(), false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(variantsEqual(row.a.v, row.b.v), row.equal);
        EXPECT_EQ(variantsEqual(row.b.v, row.a.v), row.equal);
    }
}

TEST(VariantMembership, FindsTheTargetAmongTheElements)
{
    SAFEARRAY* list = SafeArrayCreateVector(VT_VARIANT, 0, 2);
    Value file = Value::text(u"File");
    Value folder = Value::text(u"Folder");
    LONG at = 0;
    SafeArrayPutElement(list, &at, &file.v);
    at = 1;
    SafeArrayPutElement(list, &at, &folder.v);
    EXPECT_TRUE(isMember(Value::text(u"Folder").v, list));
    EXPECT_FALSE(isMember(Value::text(u"file").v, list));
    EXPECT_FALSE(isMember(Value::i4(0).v, list));
    SafeArrayDestroy(list);

    SAFEARRAY* empty = SafeArrayCreateVector(VT_VARIANT, 0, 0);
    EXPECT_FALSE(isMember(Value().v, empty));
    SafeArrayDestroy(empty);
    EXPECT_FALSE(isMember(Value().v, nullptr));
}

}  // namespace
