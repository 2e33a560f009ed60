#include <qdk_orv/qdk_orv.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include <dlfcn.h>
#include <unistd.h>

namespace {

std::u16string textOf(BSTR b) { return b ? std::u16string(b, SysStringLen(b)) : std::u16string(); }

struct Text {
    BSTR value;
    explicit Text(const char16_t* s) : value(SysAllocString(s)) {}
    Text(const Text&) = delete;
    ~Text() { SysFreeString(value); }
};

template <class F>
F entryPoint(void* module, const char* name)
{
    return reinterpret_cast<F>(dlsym(module, name));
}

// Registers the library as a setup program would (by loading it and calling its entry point)
// in a data folder of the test's own, then works only through class identifiers.
class LibraryClientTest : public ::testing::Test {
protected:
    std::string dataFolder;
    void* module = nullptr;

    void SetUp() override
    {
        const char* scratch = std::getenv("ORV_TEST_SCRATCH");
        std::string pattern = std::string(scratch ? scratch : "/tmp") + "/client-XXXXXX";
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dataFolder = pattern;
        setenv("XDG_DATA_HOME", dataFolder.c_str(), 1);
        module = dlopen(QDK_ORV_MODULE, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(module, nullptr) << dlerror();
        ASSERT_EQ(entryPoint<DllRegisterServerFunction>(module, "DllRegisterServer")(), S_OK);
    }
    void TearDown() override
    {
        if (module) {
            entryPoint<DllUnregisterServerFunction>(module, "DllUnregisterServer")();
            dlclose(module);
        }
        std::system(("rm -rf '" + dataFolder + "'").c_str());
    }

    template <class I>
    I* create(const CLSID& clsid, const IID& iid)
    {
        void* object = nullptr;
        EXPECT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, iid, &object), S_OK);
        return static_cast<I*>(object);
    }

    std::string writeFile(const std::string& name, const std::string& bytes)
    {
        const std::string path = dataFolder + "/" + name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
};

// Calls a method by name, arguments given first to last.
HRESULT callByName(IDispatch* object, const char16_t* name, std::vector<VARIANT> args, VARIANT* result)
{
    OLECHAR* names[] = {const_cast<OLECHAR*>(name)};
    DISPID id;
    HRESULT hr = object->GetIDsOfNames(IID_NULL, names, 1, 0, &id);
    if (FAILED(hr)) return hr;
    std::vector<VARIANT> reversed(args.rbegin(), args.rend());
    DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    VariantInit(result);
    return object->Invoke(id, IID_NULL, 0, DISPATCH_METHOD | DISPATCH_PROPERTYGET, &params, result, nullptr, nullptr);
}

VARIANT textArg(const Text& t) { VARIANT v; VariantInit(&v); v.vt = VT_BSTR; v.bstrVal = t.value; return v; }
VARIANT boolArg(bool b) { VARIANT v; VariantInit(&v); v.vt = VT_BOOL; v.boolVal = b ? VARIANT_TRUE : VARIANT_FALSE; return v; }

TEST_F(LibraryClientTest, EveryClassIsCreatedByItsIdentifiers)
{
    const struct {
        const CLSID& clsid;
        const IID& iid;
    } classes[] = {{CLSID_GenFuns, IID__GenFuns}, {CLSID_APIFuns, IID__APIFuns}, {CLSID_TxtFile, IID__TxtFile},
                   {CLSID_Base64, IID__Base64}, {CLSID_Registry, IID__Registry}};
    for (const auto& c : classes) {
        auto* object = create<IDispatch>(c.clsid, c.iid);
        ASSERT_NE(object, nullptr);
        void* dispatch = nullptr;
        EXPECT_EQ(object->QueryInterface(IID_IDispatch, &dispatch), S_OK);
        static_cast<IDispatch*>(dispatch)->Release();
        void* other = reinterpret_cast<void*>(1);
        EXPECT_EQ(object->QueryInterface(IID__Registry == c.iid ? IID__Base64 : IID__Registry, &other), E_NOINTERFACE);
        EXPECT_EQ(other, nullptr);
        EXPECT_EQ(object->Release(), 0u);
    }
    void* object = reinterpret_cast<void*>(1);
    const CLSID unknown = {0xdeadbeef, 1, 2, {3, 4, 5, 6, 7, 8, 9, 10}};
    EXPECT_EQ(CoCreateInstance(unknown, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, &object), REGDB_E_CLASSNOTREG);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(entryPoint<DllGetClassObjectFunction>(module, "DllGetClassObject")(unknown, IID_IClassFactory, &object),
              CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(entryPoint<DllGetClassObjectFunction>(module, "DllGetClassObject")(CLSID_TxtFile, IID_IClassFactory, nullptr),
              E_POINTER);
}

TEST_F(LibraryClientTest, FactoriesRefuseAggregationAndLocksKeepTheModule)
{
    auto canUnload = entryPoint<DllCanUnloadNowFunction>(module, "DllCanUnloadNow");
    IClassFactory* factory = nullptr;
    ASSERT_EQ(CoGetClassObject(CLSID_GenFuns, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                               reinterpret_cast<void**>(&factory)), S_OK);
    auto* outer = create<IUnknown>(CLSID_APIFuns, IID_IUnknown);
    void* object = reinterpret_cast<void*>(1);
    EXPECT_EQ(factory->CreateInstance(outer, IID__GenFuns, &object), CLASS_E_NOAGGREGATION);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(canUnload(), S_FALSE);  // the outer object still lives
    outer->Release();
    EXPECT_EQ(canUnload(), S_OK);

    EXPECT_EQ(factory->LockServer(1), S_OK);
    EXPECT_EQ(canUnload(), S_FALSE);
    EXPECT_EQ(factory->LockServer(0), S_OK);
    EXPECT_EQ(canUnload(), S_OK);
    factory->Release();
}

TEST_F(LibraryClientTest, LineSearchAnswersAlikeEarlyAndLateBound)
{
    const std::string path = writeFile("three.txt", "alpha\r\nBeta\r\nbeta\r\n");
    std::u16string widePath(path.begin(), path.end());
    Text file(widePath.c_str());
    Text beta(u"beta");
    Text et(u"et");
    auto* txt = create<_TxtFile>(CLSID_TxtFile, IID__TxtFile);
    ASSERT_NE(txt, nullptr);

    const struct {
        const Text& find;
        bool given;  // whether MatchCase is passed at all
        bool matchCase;
        std::u16string line;
        std::int32_t number;
    } rows[] = {
        {beta, true, true, u"beta", 3},
        {beta, true, false, u"Beta", 2},
        {et, false, true, u"Beta", 2},
    };
    for (const auto& row : rows) {
        const VARIANT_BOOL matchCase = (!row.given || row.matchCase) ? VARIANT_TRUE : VARIANT_FALSE;
        BSTR early = nullptr;
        ASSERT_EQ(txt->GetLineStrByFind(file.value, row.find.value, matchCase, &early), S_OK);
        std::int32_t earlyNumber = 0;
        ASSERT_EQ(txt->GetLineNoByFind(file.value, row.find.value, matchCase, &earlyNumber), S_OK);

        std::vector<VARIANT> args{textArg(file), textArg(row.find)};
        if (row.given) args.push_back(boolArg(row.matchCase));
        VARIANT late;
        ASSERT_EQ(callByName(txt, u"getlinestrbyfind", args, &late), S_OK);
        VARIANT lateNumber;
        ASSERT_EQ(callByName(txt, u"GetLineNoByFind", args, &lateNumber), S_OK);

        EXPECT_EQ(textOf(early), row.line);
        EXPECT_EQ(late.vt, VT_BSTR);
        EXPECT_EQ(textOf(late.bstrVal), row.line);
        EXPECT_EQ(earlyNumber, row.number);
        EXPECT_EQ(lateNumber.vt, VT_I4);
        EXPECT_EQ(lateNumber.lVal, row.number);
        SysFreeString(early);
        VariantClear(&late);
    }
    VARIANT_BOOL found = VARIANT_FALSE;
    EXPECT_EQ(txt->FindLine(file.value, beta.value, &found), S_OK);
    EXPECT_EQ(found, VARIANT_TRUE);
    VARIANT lateFound;
    ASSERT_EQ(callByName(txt, u"FINDLINE", {textArg(file), textArg(et)}, &lateFound), S_OK);
    EXPECT_EQ(lateFound.vt, VT_BOOL);
    EXPECT_EQ(lateFound.boolVal, VARIANT_FALSE);
    EXPECT_EQ(txt->GetLineStrByFind(file.value, beta.value, VARIANT_TRUE, nullptr), E_POINTER);
    txt->Release();
}

TEST_F(LibraryClientTest, InVarAnswersAlikeEarlyAndLateBound)
{
    auto* gen = create<_GenFuns>(CLSID_GenFuns, IID__GenFuns);
    ASSERT_NE(gen, nullptr);
    Text file(u"File");
    Text folder(u"Folder");
    SAFEARRAY* list = SafeArrayCreateVector(VT_VARIANT, 0, 2);
    LONG at = 0;
    VARIANT element = textArg(file);
    SafeArrayPutElement(list, &at, &element);
    at = 1;
    element = textArg(folder);
    SafeArrayPutElement(list, &at, &element);
    SAFEARRAY* none = SafeArrayCreateVector(VT_VARIANT, 0, 0);

    Text lower(u"file");
    const struct {
        const Text& target;
        SAFEARRAY* list;
        VARIANT_BOOL expected;
    } rows[] = {{file, list, VARIANT_TRUE}, {lower, list, VARIANT_FALSE}, {file, none, VARIANT_FALSE}};
    for (const auto& row : rows) {
        SAFEARRAY* array = row.list;
        VARIANT_BOOL early = 7;
        ASSERT_EQ(gen->InVar(textArg(row.target), &array, &early), S_OK);
        VARIANT arrayRef;
        VariantInit(&arrayRef);
        arrayRef.vt = VT_ARRAY | VT_VARIANT | VT_BYREF;
        arrayRef.pparray = &array;
        VARIANT late;
        ASSERT_EQ(callByName(gen, u"invar", {textArg(row.target), arrayRef}, &late), S_OK);
        EXPECT_EQ(early, row.expected);
        EXPECT_EQ(late.vt, VT_BOOL);
        EXPECT_EQ(late.boolVal, row.expected);
    }
    // A text where the array belongs is a type mismatch, not a crash.
    VARIANT late;
    EXPECT_EQ(callByName(gen, u"InVar", {textArg(file), textArg(folder)}, &late), DISP_E_TYPEMISMATCH);
    SafeArrayDestroy(list);
    SafeArrayDestroy(none);
    gen->Release();
}

TEST_F(LibraryClientTest, MethodsNotYetThereSayNotImplemented)
{
    auto* base64 = create<_Base64>(CLSID_Base64, IID__Base64);
    ASSERT_NE(base64, nullptr);
    Text source(u"abc");
    BSTR result = reinterpret_cast<BSTR>(1);
    EXPECT_EQ(base64->Encode(source.value, nullptr, &result), E_NOTIMPL);
    EXPECT_EQ(result, nullptr);
    VARIANT late;
    EXPECT_EQ(callByName(base64, u"Encode", {textArg(source)}, &late), E_NOTIMPL);
    base64->Release();
}

TEST_F(LibraryClientTest, AfterEverythingIsReleasedTheLibraryMayUnloadAndUnregistrationRemovesIt)
{
    auto* txt = create<_TxtFile>(CLSID_TxtFile, IID__TxtFile);
    auto canUnload = entryPoint<DllCanUnloadNowFunction>(module, "DllCanUnloadNow");
    EXPECT_EQ(canUnload(), S_FALSE);
    txt->Release();
    EXPECT_EQ(canUnload(), S_OK);
    CoFreeUnusedLibraries();

    ASSERT_EQ(entryPoint<DllUnregisterServerFunction>(module, "DllUnregisterServer")(), S_OK);
    void* object = reinterpret_cast<void*>(1);
    EXPECT_EQ(CoCreateInstance(CLSID_TxtFile, nullptr, CLSCTX_INPROC_SERVER, IID__TxtFile, &object), REGDB_E_CLASSNOTREG);
    // The program's own way needs no registration: it knows where its library is.
    ASSERT_EQ(QdkCreateInstanceFromModule(QDK_ORV_MODULE, CLSID_TxtFile, IID__TxtFile, &object), S_OK);
    static_cast<IUnknown*>(object)->Release();
}

}  // namespace
