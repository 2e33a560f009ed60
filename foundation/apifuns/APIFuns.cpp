#include "APIFuns.h"

#include "BstrText.h"
#include "Guarded.h"
#include "KernelVersion.h"
#include "NotBuilt.h"
#include "ProcessEnvironment.h"
#include "ProfileFile.h"
#include "SystemFolders.h"
#include "Utf8Codec.h"

namespace qdk::apifuns {

using frame::notBuilt;

namespace {

const frame::DispatchTable& dispatchTable()
{
    using namespace frame;
    static const DispatchTable table({
        method<&_APIFuns::GetWindowsVersion>(u"GetWindowsVersion", {}, VT_I4),
        method<&_APIFuns::AcceptDragFiles>(u"AcceptDragFiles", {i4(u"CtrHandle"), i4(u"Accept")}),
        method<&_APIFuns::MapNetDrive>(u"MapNetDrive", {i4(u"WinHandle"), i4(u"Action")}),
        method<&_APIFuns::DisconnectNetDrive>(u"DisconnectNetDrive", {i4(u"WinHandle"), i4(u"Action")}),
        method<&_APIFuns::SendMsg>(u"SendMsg", {i4(u"Handle"), i4(u"msg"), i4(u"ParamA"), variant(u"ParamB")}),
        method<&_APIFuns::PostMsg>(u"PostMsg", {i4(u"Handle"), i4(u"msg"), i4(u"ParamA"), variant(u"ParamB")}),
        method<&_APIFuns::GetFilesOpenName>(u"GetFilesOpenName", {i4(u"WinHandle"), text(u"Title"), text(u"Filter"), optional(textRef(u"DefDir")), optional(Parameter{u"MultiSel", VT_BOOL | VT_BYREF})}, VT_ARRAY | VT_BSTR),
        method<&_APIFuns::GetFileSaveName>(u"GetFileSaveName", {i4(u"WinHandle"), text(u"Title"), text(u"FileName"), text(u"Filter"), optional(text(u"DefDir")), optional(text(u"DefExt"))}, VT_BSTR),
        method<&_APIFuns::GetFileIcon>(u"GetFileIcon", {text(u"FileName"), i4(u"SmallPicDC"), i4(u"BigPicDC")}),
        method<&_APIFuns::ExecFile>(u"ExecFile", {text(u"FileName"), i4(u"WinState")}),
        method<&_APIFuns::ExecCmd>(u"ExecCmd", {text(u"Command"), i4(u"WinState")}),
        method<&_APIFuns::SelectColor>(u"SelectColor", {i4(u"WinHandle")}, VT_I4),
        method<&_APIFuns::TxtOperate>(u"TxtOperate", {i4(u"TxtHandle"), textRef(u"Action")}),
        method<&_APIFuns::ReadIni>(u"ReadIni", {text(u"FileName"), text(u"Segment"), text(u"KeyName")}, VT_BSTR),
        method<&_APIFuns::AddHScrollToListBox>(u"AddHScrollToListBox", {i4(u"Handle"), i4(u"Width")}),
        method<&_APIFuns::WriteIni>(u"WriteIni", {textRef(u"FileName"), textRef(u"Segment"), textRef(u"KeyName"), textRef(u"KeyValue")}),
        method<&_APIFuns::SetRadioMenu>(u"SetRadioMenu", {i4(u"MenuHandle"), i4(u"Pos")}),
        method<&_APIFuns::GetMenuHandle>(u"GetMenuHandle", {i4(u"WinHandle")}, VT_I4),
        method<&_APIFuns::GetSubMenuHandle>(u"GetSubMenuHandle", {i4(u"MenuHandle"), i4Ref(u"Pos")}, VT_I4),
        method<&_APIFuns::GetSysPath>(u"GetSysPath", {text(u"Class")}, VT_BSTR),
        method<&_APIFuns::FindWindowTitle>(u"FindWindowTitle", {text(u"Title")}, VT_I4),
        method<&_APIFuns::ChooseFolder>(u"ChooseFolder", {i4(u"WinHandle"), text(u"Prompt")}, VT_BSTR),
        method<&_APIFuns::DropFiles>(u"DropFiles", {i4(u"hDrop")}, VT_BSTR),
        method<&_APIFuns::Wait>(u"Wait", {i4(u"Milliseconds")}),
        method<&_APIFuns::GetSpecialFolder>(u"GetSpecialFolder", {i2(u"ID")}, VT_BSTR),
        method<&_APIFuns::QueryRecycleBin>(u"QueryRecycleBin", {optional(text(u"Drive"))}, VT_BSTR),
        method<&_APIFuns::GetUserTempPath>(u"GetUserTempPath", {}, VT_BSTR),
        method<&_APIFuns::DelUntilReboot>(u"DelUntilReboot", {text(u"FileName")}),
        method<&_APIFuns::SetTreeViewBgColor>(u"SetTreeViewBgColor", {i4(u"TvHandle"), i4(u"BgColor")}),
        method<&_APIFuns::EmptyRecycleBin>(u"EmptyRecycleBin", {i4(u"WinHandle"), optional(text(u"Drive"))}),
        method<&_APIFuns::SetLVHeaderColor>(u"SetLVHeaderColor", {i4(u"Handle"), boolean(u"SetUnset"), optional(i4(u"BgColor")), optional(i4(u"ForeColor"))}),
        method<&_APIFuns::DelToRecycled>(u"DelToRecycled", {text(u"FileName")}),
        method<&_APIFuns::ShowFileFolderProperties>(u"ShowFileFolderProperties", {i4(u"Handle"), text(u"FileFolderName")}),
        method<&_APIFuns::LoadDLL>(u"LoadDLL", {text(u"DLLFile")}, VT_I4),
        method<&_APIFuns::GetDLLString>(u"GetDLLString", {i4(u"ResHandle"), i4(u"ResID")}, VT_BSTR),
        method<&_APIFuns::UnloadDLL>(u"UnloadDLL", {i4(u"ResHandle")}),
        method<&_APIFuns::KillProcess>(u"KillProcess", {text(u"NameProcess")}),
        method<&_APIFuns::SetClipboardText>(u"SetClipboardText", {text(u"Text")}),
        method<&_APIFuns::GetClipboardText>(u"GetClipboardText", {}, VT_BSTR),
    });
    return table;
}

}  // namespace

APIFuns::APIFuns() : DispatchObject(IID__APIFuns, dispatchTable()) {}

HRESULT APIFuns::GetWindowsVersion(std::int32_t* result)
{
    if (!result) return E_POINTER;
    *result = 0;
    return frame::guarded([&] {
        *result = kernelMajorVersion();
        return S_OK;
    });
}

HRESULT APIFuns::AcceptDragFiles(std::int32_t /*CtrHandle*/, std::int32_t /*Accept*/)
{
    return notBuilt();
}

HRESULT APIFuns::MapNetDrive(std::int32_t /*WinHandle*/, std::int32_t /*Action*/)
{
    return notBuilt();
}

HRESULT APIFuns::DisconnectNetDrive(std::int32_t /*WinHandle*/, std::int32_t /*Action*/)
{
    return notBuilt();
}

HRESULT APIFuns::SendMsg(std::int32_t /*Handle*/, std::int32_t /*msg*/, std::int32_t /*ParamA*/, VARIANT /*ParamB*/)
{
    return notBuilt();
}

HRESULT APIFuns::PostMsg(std::int32_t /*Handle*/, std::int32_t /*msg*/, std::int32_t /*ParamA*/, VARIANT /*ParamB*/)
{
    return notBuilt();
}

HRESULT APIFuns::GetFilesOpenName(std::int32_t /*WinHandle*/, BSTR /*Title*/, BSTR /*Filter*/, BSTR* /*DefDir*/, VARIANT_BOOL* /*MultiSel*/, SAFEARRAY** result)
{
    return notBuilt(result);
}

HRESULT APIFuns::GetFileSaveName(std::int32_t /*WinHandle*/, BSTR /*Title*/, BSTR /*FileName*/, BSTR /*Filter*/, BSTR /*DefDir*/, BSTR /*DefExt*/, BSTR* result)
{
    return notBuilt(result);
}

HRESULT APIFuns::GetFileIcon(BSTR /*FileName*/, std::int32_t /*SmallPicDC*/, std::int32_t /*BigPicDC*/)
{
    return notBuilt();
}

HRESULT APIFuns::ExecFile(BSTR /*FileName*/, ShowWindowCode /*WinState*/)
{
    return notBuilt();
}

HRESULT APIFuns::ExecCmd(BSTR /*Command*/, ShowWindowCode /*WinState*/)
{
    return notBuilt();
}

HRESULT APIFuns::SelectColor(std::int32_t /*WinHandle*/, std::int32_t* result)
{
    return notBuilt(result);
}

HRESULT APIFuns::TxtOperate(std::int32_t /*TxtHandle*/, BSTR* /*Action*/)
{
    return notBuilt();
}

HRESULT APIFuns::ReadIni(BSTR FileName, BSTR Segment, BSTR KeyName, BSTR* result)
{
    if (!result) return E_POINTER;
    *result = nullptr;
    return frame::guarded([&] {
        *result = frame::bstrOfBytes(
            ProfileFile(frame::bytesOf(FileName)).value(frame::bytesOf(Segment), frame::bytesOf(KeyName)));
        return S_OK;
    });
}

HRESULT APIFuns::AddHScrollToListBox(std::int32_t /*Handle*/, std::int32_t /*Width*/)
{
    return notBuilt();
}

HRESULT APIFuns::WriteIni(BSTR* FileName, BSTR* Segment, BSTR* KeyName, BSTR* KeyValue)
{
    if (!FileName || !Segment || !KeyName || !KeyValue) return E_POINTER;
    return frame::guarded([&] {
        // The bytes a text stands for; the caller's text becomes what those bytes read back as,
        // which differs only where it held a lone surrogate that stands for no byte.
        const auto bytesOfReference = [](BSTR* text) {
            std::string bytes = frame::bytesOf(*text);
            const std::u16string back = orv::text::decodeBytes(bytes);
            if (back != frame::viewOf(*text)) frame::assign(text, back);
            return bytes;
        };
        const std::string path = bytesOfReference(FileName);
        const std::string section = bytesOfReference(Segment);
        const std::string key = bytesOfReference(KeyName);
        const std::string value = bytesOfReference(KeyValue);
        ProfileFile(path).setValue(section, key, value);
        return S_OK;
    });
}

HRESULT APIFuns::SetRadioMenu(std::int32_t /*MenuHandle*/, std::int32_t /*Pos*/)
{
    return notBuilt();
}

HRESULT APIFuns::GetMenuHandle(std::int32_t /*WinHandle*/, std::int32_t* result)
{
    return notBuilt(result);
}

HRESULT APIFuns::GetSubMenuHandle(std::int32_t /*MenuHandle*/, std::int32_t* /*Pos*/, std::int32_t* result)
{
    return notBuilt(result);
}

HRESULT APIFuns::GetSysPath(BSTR Class, BSTR* result)
{
    if (!result) return E_POINTER;
    *result = nullptr;
    return frame::guarded([&] {
        *result = frame::bstrOfBytes(SystemFolders::systemPath(frame::viewOf(Class)));
        return S_OK;
    });
}

HRESULT APIFuns::FindWindowTitle(BSTR /*Title*/, std::int32_t* result)
{
    return notBuilt(result);
}

HRESULT APIFuns::ChooseFolder(std::int32_t /*WinHandle*/, BSTR /*Prompt*/, BSTR* result)
{
    return notBuilt(result);
}

HRESULT APIFuns::DropFiles(std::int32_t /*hDrop*/, BSTR* result)
{
    return notBuilt(result);
}

HRESULT APIFuns::Wait(std::int32_t /*Milliseconds*/)
{
    return notBuilt();
}

HRESULT APIFuns::GetSpecialFolder(std::int16_t ID, BSTR* result)
{
    if (!result) return E_POINTER;
    *result = nullptr;
    return frame::guarded([&] {
        const ProcessEnvironment environment;
        *result = frame::bstrOfBytes(SystemFolders(environment).specialFolder(static_cast<std::uint16_t>(ID)));
        return S_OK;
    });
}

HRESULT APIFuns::QueryRecycleBin(BSTR /*Drive*/, BSTR* result)
{
    return notBuilt(result);
}

HRESULT APIFuns::GetUserTempPath(BSTR* result)
{
    if (!result) return E_POINTER;
    *result = nullptr;
    return frame::guarded([&] {
        const ProcessEnvironment environment;
        *result = frame::bstrOfBytes(SystemFolders(environment).userTempFolder());
        return S_OK;
    });
}

HRESULT APIFuns::DelUntilReboot(BSTR /*FileName*/)
{
    return notBuilt();
}

HRESULT APIFuns::SetTreeViewBgColor(std::int32_t /*TvHandle*/, std::int32_t /*BgColor*/)
{
    return notBuilt();
}

HRESULT APIFuns::EmptyRecycleBin(std::int32_t /*WinHandle*/, BSTR /*Drive*/)
{
    return notBuilt();
}

HRESULT APIFuns::SetLVHeaderColor(std::int32_t /*Handle*/, VARIANT_BOOL /*SetUnset*/, std::int32_t /*BgColor*/, std::int32_t /*ForeColor*/)
{
    return notBuilt();
}

HRESULT APIFuns::DelToRecycled(BSTR /*FileName*/)
{
    return notBuilt();
}

HRESULT APIFuns::ShowFileFolderProperties(std::int32_t /*Handle*/, BSTR /*FileFolderName*/)
{
    return notBuilt();
}

HRESULT APIFuns::LoadDLL(BSTR /*DLLFile*/, std::int32_t* result)
{
    return notBuilt(result);
}

HRESULT APIFuns::GetDLLString(std::int32_t /*ResHandle*/, std::int32_t /*ResID*/, BSTR* result)
{
    return notBuilt(result);
}

HRESULT APIFuns::UnloadDLL(std::int32_t /*ResHandle*/)
{
    return notBuilt();
}

HRESULT APIFuns::KillProcess(BSTR /*NameProcess*/)
{
    return notBuilt();
}

HRESULT APIFuns::SetClipboardText(BSTR /*Text*/)
{
    return notBuilt();
}

HRESULT APIFuns::GetClipboardText(BSTR* result)
{
    return notBuilt(result);
}

}  // namespace qdk::apifuns
