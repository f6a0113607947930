#pragma once

#include <windows.h>
#include <oaidl.h>

#include "orvel_version.h"

// The component's identities and its registration record. The members and
// their dispatch ids are in automation_interface.h, which gathers each class's
// identities into its record. The unqualified class names are OvlChess's.
namespace component::identity {

// {609D1FFF-9841-4F8C-BD30-B7CB2581251E}
constexpr GUID kTypeLibId = {0x609d1fff, 0x9841, 0x4f8c, {0xbd, 0x30, 0xb7, 0xcb, 0x25, 0x81, 0x25, 0x1e}};
// {D92AEA81-DB4C-4571-82BD-2B488F9A5458}
constexpr GUID kClassId = {0xd92aea81, 0xdb4c, 0x4571, {0x82, 0xbd, 0x2b, 0x48, 0x8f, 0x9a, 0x54, 0x58}};
// {56EF63B7-F129-46BA-9332-677F46CA0BFD}
constexpr GUID kDefaultInterfaceId = {0x56ef63b7, 0xf129, 0x46ba, {0x93, 0x32, 0x67, 0x7f, 0x46, 0xca, 0x0b, 0xfd}};
// {2AE2D78E-5DA3-416C-8997-4248A58F40A3}
constexpr GUID kEventInterfaceId = {0x2ae2d78e, 0x5da3, 0x416c, {0x89, 0x97, 0x42, 0x48, 0xa5, 0x8f, 0x40, 0xa3}};
// {82648282-F2DB-43CA-B986-30B9F27E173E}
constexpr GUID kPieceNumId = {0x82648282, 0xf2db, 0x43ca, {0xb9, 0x86, 0x30, 0xb9, 0xf2, 0x7e, 0x17, 0x3e}};

// {8520721F-C445-44AC-871B-52275A14BE9A}
constexpr GUID kBoardClassId = {0x8520721f, 0xc445, 0x44ac, {0x87, 0x1b, 0x52, 0x27, 0x5a, 0x14, 0xbe, 0x9a}};
// {69C8E725-B9AE-473C-A8E1-77F50FE959F8}
constexpr GUID kBoardInterfaceId = {0x69c8e725, 0xb9ae, 0x473c, {0xa8, 0xe1, 0x77, 0xf5, 0x0f, 0xe9, 0x59, 0xf8}};
// {F388C9A2-D558-4AC0-B03C-CC1E549EC6FE}
constexpr GUID kBoardEventInterfaceId = {0xf388c9a2, 0xd558, 0x4ac0, {0xb0, 0x3c, 0xcc, 0x1e, 0x54, 0x9e, 0xc6, 0xfe}};
// {D115214D-BBBE-4474-84DF-93953F9E22AF}
constexpr GUID kMarkNumId = {0xd115214d, 0xbbbe, 0x4474, {0x84, 0xdf, 0x93, 0x95, 0x3f, 0x9e, 0x22, 0xaf}};
// {5D914D2D-7538-4778-9FC3-8C3CA119C27A}
constexpr GUID kSideNumId = {0x5d914d2d, 0x7538, 0x4778, {0x9f, 0xc3, 0x8c, 0x3c, 0xa1, 0x19, 0xc2, 0x7a}};

constexpr const wchar_t* kLibraryName = L"OrvelBoardLib";
constexpr const wchar_t* kLibraryDescription = L"Orvel's ActiveX Chess Control";
constexpr const wchar_t* kClassName = L"OvlChess";
constexpr const wchar_t* kProgId = L"OrvelBoardLib.OvlChess";
constexpr const wchar_t* kBoardClassName = L"OvlBoard";
constexpr const wchar_t* kBoardProgId = L"OrvelBoardLib.OvlBoard";
// The type library and the class carry the release's major and minor number.
constexpr const wchar_t* kVersion = ORVEL_TYPELIB_VERSION_TEXT;
constexpr WORD kMajorVersion = ORVEL_VERSION_MAJOR;
constexpr WORD kMinorVersion = ORVEL_VERSION_MINOR;
constexpr LCID kLocale = 0;
#ifdef _WIN64
constexpr SYSKIND kSysKind = SYS_WIN64;
#else
constexpr SYSKIND kSysKind = SYS_WIN32;
#endif
constexpr DWORD kMiscStatus = 0x00020191;  // recompose on resize, can't link inside,
                                           // inside-out, activate when visible, set client site first
constexpr int kToolboxBitmapId = 30000;
constexpr int kBoardToolboxBitmapId = 30001;

}  // namespace component::identity
