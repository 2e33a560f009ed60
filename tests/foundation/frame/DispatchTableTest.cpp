#include "DispatchObject.h"
#include "ModuleState.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace qdk::frame;

// A dual interface of the test's own, with the parameter forms the library's tables use.
constexpr IID IID__Probe = {0x1c2d3e4f, 0x1111, 0x2222, {1, 2, 3, 4, 5, 6, 7, 8}};
struct _Probe : IDispatch {
    virtual HRESULT Join(BSTR First, std::int16_t Count, VARIANT_BOOL Upper, BSTR* result) = 0;
    virtual HRESULT Swap(BSTR* Left, std::int32_t* Right) = 0;
    virtual HRESULT Fail(BSTR* result) = 0;
    virtual HRESULT Kind(VARIANT Value, std::int32_t* result) = 0;

protected:
    ~_Probe() = default;
};

std::u16string textOf(BSTR b) { return b ? std::u16string(b, SysStringLen(b)) : std::u16string(); }

const DispatchTable& probeTable()
{
    static const DispatchTable table({
        method<&_Probe::Join>(u"Join", {text(u"First"), optional(i2(u"Count"), DefaultValue::number(2)),
                                        optional(boolean(u"Upper"), DefaultValue::boolean(true))}, VT_BSTR),
        method<&_Probe::Swap>(u"Swap", {textRef(u"Left"), i4Ref(u"Right")}),
        method<&_Probe::Fail>(u"Fail", {}, VT_BSTR),
        method<&_Probe::Kind>(u"Kind", {variant(u"Value")}, VT_I4),
    });
    return table;
}

class Probe final : public DispatchObject<_Probe> {
public:
    Probe() : DispatchObject(IID__Probe, probeTable()) {}
    HRESULT Join(BSTR First, std::int16_t Count, VARIANT_BOOL Upper, BSTR* result) override
    {
        std::u16string joined;
        for (int i = 0; i < Count; ++i) joined += textOf(First);
        if (Upper)
            for (auto& c : joined) c = (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c;
        *result = SysAllocStringLen(joined.data(), static_cast<UINT>(joined.size()));
        return S_OK;
    }
    HRESULT Swap(BSTR* Left, std::int32_t* Right) override
    {
        SysFreeString(*Left);  // a callee may replace a text passed by reference
        *Left = SysAllocString(u"swapped");
        *Right = -*Right;
        return S_OK;
    }
    HRESULT Fail(BSTR* result) override
    {
        *result = nullptr;
        QdkSetErrorInfo(static_cast<HRESULT>(0x800403E8u), u"Probe.Fail", u"It failed.");
        return static_cast<HRESULT>(0x800403E8u);
    }
    HRESULT Kind(VARIANT Value, std::int32_t* result) override
    {
        *result = Value.vt;
        return S_OK;
    }
};

struct Released {
    void operator()(IUnknown* p) const { p->Release(); }
};

class DispatchTableTest : public ::testing::Test {
protected:
    Probe* probe = new Probe();
    ~DispatchTableTest() override { probe->Release(); }

    DISPID idOf(const char16_t* name)
    {
        OLECHAR* names[] = {const_cast<OLECHAR*>(name)};
        DISPID id = DISPID_UNKNOWN;
        EXPECT_EQ(probe->GetIDsOfNames(IID_NULL, names, 1, 0, &id), S_OK);
        return id;
    }
    // Arguments given first to last; they are passed last first, as Automation does.
    HRESULT call(const char16_t* name, std::vector<VARIANT> args, VARIANT* result = nullptr, UINT* argErr = nullptr,
                 EXCEPINFO* exception = nullptr)
    {
        std::vector<VARIANT> reversed(args.rbegin(), args.rend());
        DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
        return probe->Invoke(idOf(name), IID_NULL, 0, DISPATCH_METHOD, &params, result, exception, argErr);
    }
};

VARIANT textv(BSTR b) { VARIANT v; VariantInit(&v); v.vt = VT_BSTR; v.bstrVal = b; return v; }
VARIANT i2v(std::int16_t n) { VARIANT v; VariantInit(&v); v.vt = VT_I2; v.iVal = n; return v; }
VARIANT boolv(bool b) { VARIANT v; VariantInit(&v); v.vt = VT_BOOL; v.boolVal = b ? VARIANT_TRUE : VARIANT_FALSE; return v; }
VARIANT missing() { VARIANT v; VariantInit(&v); v.vt = VT_ERROR; v.scode = DISP_E_PARAMNOTFOUND; return v; }

TEST_F(DispatchTableTest, NamesAreFoundWhateverTheirLetterCase)
{
    EXPECT_EQ(idOf(u"join"), idOf(u"JOIN"));
    EXPECT_NE(idOf(u"Join"), idOf(u"Swap"));
    OLECHAR* names[] = {const_cast<OLECHAR*>(u"Join"), const_cast<OLECHAR*>(u"upper"), const_cast<OLECHAR*>(u"nope")};
    DISPID ids[3];
    EXPECT_EQ(probe->GetIDsOfNames(IID_NULL, names, 3, 0, ids), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(ids[1], 2);
    EXPECT_EQ(ids[2], DISPID_UNKNOWN);
    OLECHAR* unknown[] = {const_cast<OLECHAR*>(u"Joint")};
    EXPECT_EQ(probe->GetIDsOfNames(IID_NULL, unknown, 1, 0, ids), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(ids[0], DISPID_UNKNOWN);
}

TEST_F(DispatchTableTest, ArgumentsArriveInOrderWithDefaultsForOmittedOnes)
{
    BSTR ab = SysAllocString(u"ab");
    BSTR one = SysAllocString(u"1");
    struct Row {
        const char* name;
        std::vector<VARIANT> args;
        std::u16string expected;
    } rows[] = {
        {"all given", {textv(ab), i2v(3), boolv(false)}, u"ababab"},
        {"trailing omitted", {textv(ab)}, u"ABAB"},
        {"middle marked missing", {textv(ab), missing(), boolv(false)}, u"abab"},
        {"text converted to a number", {textv(ab), textv(one), boolv(false)}, u"ab"},
    };
    for (auto& row : rows) {
        SCOPED_TRACE(row.name);
        VARIANT result;
        VariantInit(&result);
        ASSERT_EQ(call(u"Join", row.args, &result), S_OK);
        EXPECT_EQ(result.vt, VT_BSTR);
        EXPECT_EQ(textOf(result.bstrVal), row.expected);
        VariantClear(&result);
    }
    SysFreeString(one);
    SysFreeString(ab);
}

TEST_F(DispatchTableTest, BadArgumentsGiveResultCodes)
{
    BSTR ab = SysAllocString(u"ab");
    BSTR word = SysAllocString(u"many");
    UINT argErr = 99;
    EXPECT_EQ(call(u"Join", {textv(ab), textv(word)}, nullptr, &argErr), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(argErr, 0u);  // the second of two arguments stands first
    VARIANT big;
    VariantInit(&big);
    big.vt = VT_I4;
    big.lVal = 100000;
    EXPECT_EQ(call(u"Join", {textv(ab), big}), DISP_E_OVERFLOW);
    EXPECT_EQ(call(u"Join", {}), DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(call(u"Join", {textv(ab), i2v(1), boolv(true), boolv(true)}), DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(call(u"Join", {missing()}), DISP_E_PARAMNOTFOUND);
    VARIANT object;
    VariantInit(&object);
    object.vt = VT_DISPATCH;
    object.pdispVal = probe;
    EXPECT_EQ(call(u"Join", {object}), DISP_E_TYPEMISMATCH);

    VARIANT arg = textv(ab);
    DISPID named = 0;
    DISPPARAMS withNames{&arg, &named, 1, 1};
    EXPECT_EQ(probe->Invoke(idOf(u"Join"), IID_NULL, 0, DISPATCH_METHOD, &withNames, nullptr, nullptr, nullptr), DISP_E_NONAMEDARGS);
    DISPPARAMS plain{&arg, nullptr, 1, 0};
    EXPECT_EQ(probe->Invoke(12345, IID_NULL, 0, DISPATCH_METHOD, &plain, nullptr, nullptr, nullptr), DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(probe->Invoke(idOf(u"Join"), IID__Probe, 0, DISPATCH_METHOD, &plain, nullptr, nullptr, nullptr), DISP_E_UNKNOWNINTERFACE);
    EXPECT_EQ(probe->Invoke(idOf(u"Join"), IID_NULL, 0, DISPATCH_PROPERTYPUT, &plain, nullptr, nullptr, nullptr), DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(probe->Invoke(idOf(u"Join"), IID_NULL, 0, DISPATCH_METHOD, nullptr, nullptr, nullptr, nullptr), E_INVALIDARG);
    SysFreeString(word);
    SysFreeString(ab);
}

TEST_F(DispatchTableTest, ByReferenceArgumentsAreWrittenBack)
{
    BSTR left = SysAllocString(u"left");
    std::int32_t right = 5;
    VARIANT leftRef;
    VariantInit(&leftRef);
    leftRef.vt = VT_BSTR | VT_BYREF;
    leftRef.pbstrVal = &left;
    VARIANT rightRef;
    VariantInit(&rightRef);
    rightRef.vt = VT_I4 | VT_BYREF;
    rightRef.plVal = &right;
    ASSERT_EQ(call(u"Swap", {leftRef, rightRef}), S_OK);
    EXPECT_EQ(textOf(left), u"swapped");
    EXPECT_EQ(right, -5);

    // Through a variant held by reference, as a late-bound caller passes its variables.
    VARIANT held = textv(SysAllocString(u"held"));
    VARIANT heldRef;
    VariantInit(&heldRef);
    heldRef.vt = VT_VARIANT | VT_BYREF;
    heldRef.pvarVal = &held;
    ASSERT_EQ(call(u"Swap", {heldRef, rightRef}), S_OK);
    EXPECT_EQ(textOf(held.bstrVal), u"swapped");
    EXPECT_EQ(right, 5);

    // By value, the callee works on a copy and the caller's value stays.
    VARIANT byValue = textv(left);
    VARIANT number = i2v(3);
    ASSERT_EQ(call(u"Swap", {byValue, number}), S_OK);
    EXPECT_EQ(textOf(left), u"swapped");
    EXPECT_EQ(number.iVal, 3);

    VariantClear(&held);
    SysFreeString(left);
}

TEST_F(DispatchTableTest, VariantsPassWholeAndFailuresCarryTheirErrorInformation)
{
    VARIANT result;
    VariantInit(&result);
    ASSERT_EQ(call(u"Kind", {i2v(1)}, &result), S_OK);
    EXPECT_EQ(result.lVal, VT_I2);

    EXCEPINFO exception{};
    EXPECT_EQ(call(u"Fail", {}, &result, nullptr, &exception), DISP_E_EXCEPTION);
    EXPECT_EQ(exception.scode, static_cast<HRESULT>(0x800403E8u));
    EXPECT_EQ(textOf(exception.bstrSource), u"Probe.Fail");
    EXPECT_EQ(textOf(exception.bstrDescription), u"It failed.");
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);

    // Without an exception record the code comes back as it is and the information waits.
    EXPECT_EQ(call(u"Fail", {}), static_cast<HRESULT>(0x800403E8u));
    HRESULT number;
    EXPECT_EQ(QdkGetErrorInfo(&number, nullptr, nullptr), S_OK);
}

TEST_F(DispatchTableTest, ObjectsCountTheirReferencesAndTheModuleCountsObjects)
{
    EXPECT_FALSE(ModuleState::canUnload());
    void* same = nullptr;
    ASSERT_EQ(probe->QueryInterface(IID_IDispatch, &same), S_OK);
    EXPECT_EQ(same, static_cast<IDispatch*>(probe));
    EXPECT_EQ(probe->Release(), 1u);
    void* other = reinterpret_cast<void*>(1);
    EXPECT_EQ(probe->QueryInterface(IID_IClassFactory, &other), E_NOINTERFACE);
    EXPECT_EQ(other, nullptr);
    EXPECT_EQ(probe->QueryInterface(IID_IUnknown, nullptr), E_POINTER);
    UINT count = 7;
    EXPECT_EQ(probe->GetTypeInfoCount(&count), S_OK);
    EXPECT_EQ(count, 0u);
}

TEST(DispatchTableRows, ThatDoNotMatchTheirMethodAreRefused)
{
    EXPECT_THROW(method<&_Probe::Join>(u"Join", {text(u"First"), i4(u"Count"), boolean(u"Upper")}, VT_BSTR), std::logic_error);
    EXPECT_THROW(method<&_Probe::Swap>(u"Swap", {textRef(u"Left")}), std::logic_error);
}

}  // namespace
