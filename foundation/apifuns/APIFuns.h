#pragma once

#include "DispatchObject.h"

#include <qdk_orv/qdk_orv.h>

namespace qdk::apifuns {

class APIFuns final : public frame::DispatchObject<_APIFuns> {
public:
    APIFuns();

    HRESULT GetWindowsVersion(std::int32_t* result) override;
    HRESULT AcceptDragFiles(std::int32_t CtrHandle, std::int32_t Accept) override;
    HRESULT MapNetDrive(std::int32_t WinHandle, std::int32_t Action) override;
    HRESULT DisconnectNetDrive(std::int32_t WinHandle, std::int32_t Action) override;
    HRESULT SendMsg(std::int32_t Handle, std::int32_t msg, std::int32_t ParamA, VARIANT ParamB) override;
    HRESULT PostMsg(std::int32_t Handle, std::int32_t msg, std::int32_t ParamA, VARIANT ParamB) override;
    HRESULT GetFilesOpenName(std::int32_t WinHandle, BSTR Title, BSTR Filter, BSTR* DefDir, VARIANT_BOOL* MultiSel, SAFEARRAY** result) override;
    HRESULT GetFileSaveName(std::int32_t WinHandle, BSTR Title, BSTR FileName, BSTR Filter, BSTR DefDir, BSTR DefExt, BSTR* result) override;
    HRESULT GetFileIcon(BSTR FileName, std::int32_t SmallPicDC, std::int32_t BigPicDC) override;
    HRESULT ExecFile(BSTR FileName, ShowWindowCode WinState) override;
    HRESULT ExecCmd(BSTR Command, ShowWindowCode WinState) override;
    HRESULT SelectColor(std::int32_t WinHandle, std::int32_t* result) override;
    HRESULT TxtOperate(std::int32_t TxtHandle, BSTR* Action) override;
    HRESULT ReadIni(BSTR FileName, BSTR Segment, BSTR KeyName, BSTR* result) override;
    HRESULT AddHScrollToListBox(std::int32_t Handle, std::int32_t Width) override;
    HRESULT WriteIni(BSTR* FileName, BSTR* Segment, BSTR* KeyName, BSTR* KeyValue) override;
    HRESULT SetRadioMenu(std::int32_t MenuHandle, std::int32_t Pos) override;
    HRESULT GetMenuHandle(std::int32_t WinHandle, std::int32_t* result) override;
    HRESULT GetSubMenuHandle(std::int32_t MenuHandle, std::int32_t* Pos, std::int32_t* result) override;
    HRESULT GetSysPath(BSTR Class, BSTR* result) override;
    HRESULT FindWindowTitle(BSTR Title, std::int32_t* result) override;
    HRESULT ChooseFolder(std::int32_t WinHandle, BSTR Prompt, BSTR* result) override;
    HRESULT DropFiles(std::int32_t hDrop, BSTR* result) override;
    HRESULT Wait(std::int32_t Milliseconds) override;
    HRESULT GetSpecialFolder(std::int16_t ID, BSTR* result) override;
    HRESULT QueryRecycleBin(BSTR Drive, BSTR* result) override;
    HRESULT GetUserTempPath(BSTR* result) override;
    HRESULT DelUntilReboot(BSTR FileName) override;
    HRESULT SetTreeViewBgColor(std::int32_t TvHandle, std::int32_t BgColor) override;
    HRESULT EmptyRecycleBin(std::int32_t WinHandle, BSTR Drive) override;
    HRESULT SetLVHeaderColor(std::int32_t Handle, VARIANT_BOOL SetUnset, std::int32_t BgColor, std::int32_t ForeColor) override;
    HRESULT DelToRecycled(BSTR FileName) override;
    HRESULT ShowFileFolderProperties(std::int32_t Handle, BSTR FileFolderName) override;
    HRESULT LoadDLL(BSTR DLLFile, std::int32_t* result) override;
    HRESULT GetDLLString(std::int32_t ResHandle, std::int32_t ResID, BSTR* result) override;
    HRESULT UnloadDLL(std::int32_t ResHandle) override;
    HRESULT KillProcess(BSTR NameProcess) override;
    HRESULT SetClipboardText(BSTR Text) override;
    HRESULT GetClipboardText(BSTR* result) override;
};

}  // namespace qdk::apifuns
