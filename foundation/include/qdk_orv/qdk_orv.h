// The public interface of libqdk_orv.so: five classes, each with one dual interface.
//
// Every method returns an HRESULT; a method's result is its last parameter, an out parameter.
// "by ref" parameters are pointers to the caller's variable, in and out. Texts the caller gets
// back are the caller's to free. The slot order below is binding for early-bound clients.
#ifndef QDK_ORV_QDK_ORV_H
#define QDK_ORV_QDK_ORV_H

#include "unknown.h"

// Type library QDK_ORV, version 2.0.
// c8c02541-cb72-4d3c-8710-8167cbbee615
constexpr GUID LIBID_QDK_ORV = {0xc8c02541, 0xcb72, 0x4d3c, {0x87, 0x10, 0x81, 0x67, 0xcb, 0xbe, 0xe6, 0x15}};

// ---- Enumerations -----------------------------------------------------------------------------

// e0041fec-8b5d-4a13-bb01-ca31b10f10af
constexpr GUID GUID_KeyRoot = {0xe0041fec, 0x8b5d, 0x4a13, {0xbb, 0x01, 0xca, 0x31, 0xb1, 0x0f, 0x10, 0xaf}};
enum KeyRoot : std::int32_t {
    HKEY_CLASSES_ROOT = static_cast<std::int32_t>(0x80000000u),
    HKEY_CURRENT_CONFIG = static_cast<std::int32_t>(0x80000005u),
    HKEY_CURRENT_USER = static_cast<std::int32_t>(0x80000001u),
    HKEY_LOCAL_MACHINE = static_cast<std::int32_t>(0x80000002u),
    HKEY_USERS = static_cast<std::int32_t>(0x80000003u),
};

// a6727d1f-0637-44e2-acc5-00455e110c8a
constexpr GUID GUID_KeyType = {0xa6727d1f, 0x0637, 0x44e2, {0xac, 0xc5, 0x00, 0x45, 0x5e, 0x11, 0x0c, 0x8a}};
enum KeyType : std::int32_t {
    REG_BINARY = 3,
    REG_EXPAND_SZ = 2,
    REG_DWORD = 4,
    REG_SZ = 1,
};

// The show-window code of ExecFile and ExecCmd.
enum ShowWindowCode : std::int32_t {
    vbHide = 0,
    vbNormalFocus = 1,
    vbMinimizedFocus = 2,
    vbMaximizedFocus = 3,
    vbNormalNoFocus = 4,
    vbMinimizedNoFocus = 6,
};

static_assert(sizeof(KeyRoot) == 4 && sizeof(KeyType) == 4 && sizeof(ShowWindowCode) == 4);

// ---- GenFuns ----------------------------------------------------------------------------------

// a58f2b0f-b0c0-43bc-ae0e-17d53947525f
constexpr GUID CLSID_GenFuns = {0xa58f2b0f, 0xb0c0, 0x43bc, {0xae, 0x0e, 0x17, 0xd5, 0x39, 0x47, 0x52, 0x5f}};
// 62d4aac1-6802-4e85-8f28-76a200c2bbc7
constexpr GUID IID__GenFuns = {0x62d4aac1, 0x6802, 0x4e85, {0x8f, 0x28, 0x76, 0xa2, 0x00, 0xc2, 0xbb, 0xc7}};
struct _GenFuns : IDispatch {
    virtual HRESULT GetCharsetList(BSTR* result) = 0;
    virtual HRESULT LongToHTMLColor(std::int32_t Color, BSTR* result) = 0;
    virtual HRESULT SetMenuCaption(IDispatch** Target, BSTR MenusFile) = 0;
    virtual HRESULT SetTip(IDispatch** Target, BSTR TipsFile) = 0;
    // VarList: a one-dimensional array of variants, by ref (only read).
    virtual HRESULT InVar(VARIANT Target, SAFEARRAY** VarList, VARIANT_BOOL* result) = 0;
    // Target: an object that answers IID_IReportList; fits its columns.
    virtual HRESULT AdjListColWid(IDispatch** Target) = 0;
    virtual HRESULT GetFilesQty(BSTR Path, std::int32_t* result) = 0;
    virtual HRESULT CheckShortcut(BSTR Shortcut, VARIANT_BOOL* result) = 0;
    virtual HRESULT GetSysTempPath(BSTR* result) = 0;
    virtual HRESULT GetEnglishWeekday(std::int16_t WeekSN, BSTR* result) = 0;
    virtual HRESULT GetEnglishShortMonth(std::int16_t MonthSN, BSTR* result) = 0;

protected:
    ~_GenFuns() = default;
};

// ---- APIFuns ----------------------------------------------------------------------------------

// 2c3b463f-221b-4662-a1b4-678879562c89
constexpr GUID CLSID_APIFuns = {0x2c3b463f, 0x221b, 0x4662, {0xa1, 0xb4, 0x67, 0x88, 0x79, 0x56, 0x2c, 0x89}};
// fc75d008-f8c6-4545-b996-a29aefde34aa
constexpr GUID IID__APIFuns = {0xfc75d008, 0xf8c6, 0x4545, {0xb9, 0x96, 0xa2, 0x9a, 0xef, 0xde, 0x34, 0xaa}};
struct _APIFuns : IDispatch {
    virtual HRESULT GetWindowsVersion(std::int32_t* result) = 0;
    virtual HRESULT AcceptDragFiles(std::int32_t CtrHandle, std::int32_t Accept) = 0;
    virtual HRESULT MapNetDrive(std::int32_t WinHandle, std::int32_t Action) = 0;
    virtual HRESULT DisconnectNetDrive(std::int32_t WinHandle, std::int32_t Action) = 0;
    virtual HRESULT SendMsg(std::int32_t Handle, std::int32_t msg, std::int32_t ParamA,
                            VARIANT ParamB) = 0;
    virtual HRESULT PostMsg(std::int32_t Handle, std::int32_t msg, std::int32_t ParamA,
                            VARIANT ParamB) = 0;
    // DefDir and MultiSel are optional; a null pointer stands for an omitted argument.
    virtual HRESULT GetFilesOpenName(std::int32_t WinHandle, BSTR Title, BSTR Filter, BSTR* DefDir,
                                     VARIANT_BOOL* MultiSel, SAFEARRAY** result) = 0;
    virtual HRESULT GetFileSaveName(std::int32_t WinHandle, BSTR Title, BSTR FileName, BSTR Filter,
                                    BSTR DefDir, BSTR DefExt, BSTR* result) = 0;
    virtual HRESULT GetFileIcon(BSTR FileName, std::int32_t SmallPicDC, std::int32_t BigPicDC) = 0;
    virtual HRESULT ExecFile(BSTR FileName, ShowWindowCode WinState) = 0;
    virtual HRESULT ExecCmd(BSTR Command, ShowWindowCode WinState) = 0;
    virtual HRESULT SelectColor(std::int32_t WinHandle, std::int32_t* result) = 0;
    virtual HRESULT TxtOperate(std::int32_t TxtHandle, BSTR* Action) = 0;
    virtual HRESULT ReadIni(BSTR FileName, BSTR Segment, BSTR KeyName, BSTR* result) = 0;
    virtual HRESULT AddHScrollToListBox(std::int32_t Handle, std::int32_t Width) = 0;
    virtual HRESULT WriteIni(BSTR* FileName, BSTR* Segment, BSTR* KeyName, BSTR* KeyValue) = 0;
    virtual HRESULT SetRadioMenu(std::int32_t MenuHandle, std::int32_t Pos) = 0;
    virtual HRESULT GetMenuHandle(std::int32_t WinHandle, std::int32_t* result) = 0;
    virtual HRESULT GetSubMenuHandle(std::int32_t MenuHandle, std::int32_t* Pos,
                                     std::int32_t* result) = 0;
    virtual HRESULT GetSysPath(BSTR Class, BSTR* result) = 0;
    virtual HRESULT FindWindowTitle(BSTR Title, std::int32_t* result) = 0;
    virtual HRESULT ChooseFolder(std::int32_t WinHandle, BSTR Prompt, BSTR* result) = 0;
    virtual HRESULT DropFiles(std::int32_t hDrop, BSTR* result) = 0;
    virtual HRESULT Wait(std::int32_t Milliseconds) = 0;
    virtual HRESULT GetSpecialFolder(std::int16_t ID, BSTR* result) = 0;
    virtual HRESULT QueryRecycleBin(BSTR Drive, BSTR* result) = 0;
    virtual HRESULT GetUserTempPath(BSTR* result) = 0;
    virtual HRESULT DelUntilReboot(BSTR FileName) = 0;
    virtual HRESULT SetTreeViewBgColor(std::int32_t TvHandle, std::int32_t BgColor) = 0;
    virtual HRESULT EmptyRecycleBin(std::int32_t WinHandle, BSTR Drive) = 0;
    virtual HRESULT SetLVHeaderColor(std::int32_t Handle, VARIANT_BOOL SetUnset,
                                     std::int32_t BgColor, std::int32_t ForeColor) = 0;
    virtual HRESULT DelToRecycled(BSTR FileName) = 0;
    virtual HRESULT ShowFileFolderProperties(std::int32_t Handle, BSTR FileFolderName) = 0;
    virtual HRESULT LoadDLL(BSTR DLLFile, std::int32_t* result) = 0;
    virtual HRESULT GetDLLString(std::int32_t ResHandle, std::int32_t ResID, BSTR* result) = 0;
    virtual HRESULT UnloadDLL(std::int32_t ResHandle) = 0;
    virtual HRESULT KillProcess(BSTR NameProcess) = 0;
    virtual HRESULT SetClipboardText(BSTR Text) = 0;
    virtual HRESULT GetClipboardText(BSTR* result) = 0;

protected:
    ~_APIFuns() = default;
};

// ---- TxtFile ----------------------------------------------------------------------------------

// b169989f-f704-489a-8d35-e51e0ef6db9f
constexpr GUID CLSID_TxtFile = {0xb169989f, 0xf704, 0x489a, {0x8d, 0x35, 0xe5, 0x1e, 0x0e, 0xf6, 0xdb, 0x9f}};
// 6ec80cf5-2521-416d-bad2-e2c3315a356c
constexpr GUID IID__TxtFile = {0x6ec80cf5, 0x2521, 0x416d, {0xba, 0xd2, 0xe2, 0xc3, 0x31, 0x5a, 0x35, 0x6c}};
struct _TxtFile : IDispatch {
    virtual HRESULT AppendLine(BSTR FileName, BSTR* Content) = 0;
    virtual HRESULT ReadLastLine(BSTR FileName, BSTR* result) = 0;
    virtual HRESULT GetLineQty(BSTR FileName, std::int32_t* result) = 0;
    virtual HRESULT DeleteLine(BSTR FileName, BSTR Content, BSTR Separator,
                               std::int16_t FieldNo) = 0;
    virtual HRESULT ModifyLine(BSTR FileName, BSTR OldString, BSTR NewString, BSTR Separator,
                               std::int16_t FieldNo) = 0;
    virtual HRESULT FindLine(BSTR FileName, BSTR Line, VARIANT_BOOL* result) = 0;
    virtual HRESULT GetLineNoByFind(BSTR FileName, BSTR FindString, VARIANT_BOOL MatchCase,
                                    std::int32_t* result) = 0;
    virtual HRESULT GetLineStrByFind(BSTR FileName, BSTR FindString, VARIANT_BOOL MatchCase,
                                     BSTR* result) = 0;
    virtual HRESULT WriteByCharset(BSTR FileName, BSTR Content, BSTR CharSet) = 0;
    virtual HRESULT ReadByCharset(BSTR FileName, BSTR CharSet, BSTR* result) = 0;
    virtual HRESULT AutoRead(BSTR FileName, BSTR* result) = 0;
    virtual HRESULT GetEncoding(BSTR FileName, BSTR* result) = 0;

protected:
    ~_TxtFile() = default;
};

// ---- Base64 -----------------------------------------------------------------------------------

// abf46e74-7863-4f85-bf3e-2d1ff858c447
constexpr GUID CLSID_Base64 = {0xabf46e74, 0x7863, 0x4f85, {0xbf, 0x3e, 0x2d, 0x1f, 0xf8, 0x58, 0xc4, 0x47}};
// 34ed791b-d0c1-44c0-a460-4bd22b80a9fa
constexpr GUID IID__Base64 = {0x34ed791b, 0xd0c1, 0x44c0, {0xa4, 0x60, 0x4b, 0xd2, 0x2b, 0x80, 0xa9, 0xfa}};
struct _Base64 : IDispatch {
    virtual HRESULT Encode(BSTR Source, BSTR CharSet, BSTR* result) = 0;
    virtual HRESULT EncodeFile(BSTR astrFile, BSTR* result) = 0;
    virtual HRESULT Decode(BSTR* sInput, BSTR CharSet, BSTR* result) = 0;
    virtual HRESULT DecodeToFile(BSTR* sInput, BSTR* sFileName) = 0;

protected:
    ~_Base64() = default;
};

// ---- Registry ---------------------------------------------------------------------------------

// bc1cf950-1a4b-4238-b511-b1e228e4fc27
constexpr GUID CLSID_Registry = {0xbc1cf950, 0x1a4b, 0x4238, {0xb5, 0x11, 0xb1, 0xe2, 0x28, 0xe4, 0xfc, 0x27}};
// 4bfc4cad-eb5f-49de-8f5a-25ac5ae38a6b
constexpr GUID IID__Registry = {0x4bfc4cad, 0xeb5f, 0x49de, {0x8f, 0x5a, 0x25, 0xac, 0x5a, 0xe3, 0x8a, 0x6b}};
struct _Registry : IDispatch {
    virtual HRESULT ExportRegKey(KeyRoot* KeyRoot, BSTR* KeyPath, BSTR* FileName,
                                 VARIANT_BOOL* result) = 0;
    virtual HRESULT ImportRegKey(KeyRoot* KeyRoot, BSTR* KeyPath, BSTR* FileName,
                                 VARIANT_BOOL* result) = 0;
    // NoKeyFoundValue is optional; a null pointer stands for an omitted argument ("").
    virtual HRESULT ReadRegKey(KeyRoot* KeyRoot, BSTR* KeyPath, BSTR* SubKey,
                               BSTR* NoKeyFoundValue, BSTR* result) = 0;
    virtual HRESULT WriteRegKey(KeyType* KeyType, KeyRoot* KeyRoot, BSTR* KeyPath, BSTR* SubKey,
                                BSTR* SubKeyValue, VARIANT_BOOL* result) = 0;
    virtual HRESULT EnumerateRegKeys(KeyRoot* KeyRoot, BSTR* KeyPath, BSTR* result) = 0;
    virtual HRESULT EnumerateRegKeyValues(KeyRoot* KeyRoot, BSTR* KeyPath, BSTR* result) = 0;
    virtual HRESULT DeleteRegKey(KeyRoot* KeyRoot, BSTR* KeyPath) = 0;
    // SubKey is optional; a null pointer stands for an omitted argument ("").
    virtual HRESULT DeleteRegKeyValue(KeyRoot* KeyRoot, BSTR* KeyPath, BSTR* SubKey,
                                      VARIANT_BOOL* result) = 0;
    virtual HRESULT GetRegKeyItems(KeyRoot* KeyRoot, BSTR* KeyPath, std::int16_t* result) = 0;
    virtual HRESULT EnumerateRegKeyItemNames(KeyRoot* KeyRoot, BSTR* KeyPath, BSTR* result) = 0;

protected:
    ~_Registry() = default;
};

// ---- The report list that AdjListColWid fits --------------------------------------------------

// What a list control shows the library so that its columns can be fitted. Widths are in the
// units of the window that holds the list (twips in Orvane); columns are numbered from 1.
// 74f89b74-8ead-4d0f-89ff-639265ef9e86
constexpr GUID IID_IReportList = {0x74f89b74, 0x8ead, 0x4d0f, {0x89, 0xff, 0x63, 0x92, 0x65, 0xef, 0x9e, 0x86}};
constexpr std::int32_t ReportListViewReport = 3;  // the view mode with column headers
struct IReportList : IUnknown {
    virtual HRESULT GetViewMode(std::int32_t* mode) = 0;
    virtual HRESULT GetRowCount(std::int32_t* count) = 0;
    virtual HRESULT GetColumnCount(std::int32_t* count) = 0;
    virtual HRESULT GetColumnWidth(std::int32_t column, std::int32_t* width) = 0;
    virtual HRESULT SetColumnWidth(std::int32_t column, std::int32_t width) = 0;
    // The column's tag, the text the list keeps with it (Orvane keeps the design width there).
    virtual HRESULT GetColumnTag(std::int32_t column, BSTR* tag) = 0;
    // Makes the column as wide as its widest cell text; the header text is not counted.
    virtual HRESULT FitColumnToContents(std::int32_t column) = 0;

protected:
    ~IReportList() = default;
};

// ---- Entry points of libqdk_orv.so ------------------------------------------------------------
extern "C" {
HRESULT DllGetClassObject(REFCLSID clsid, REFIID iid, void** object);
HRESULT DllCanUnloadNow();
HRESULT DllRegisterServer();
HRESULT DllUnregisterServer();
}

#endif
