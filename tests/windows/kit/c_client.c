/* A C client built from the release zip alone: orvel_board.h with COBJMACROS
   and the identifiers of orvel_board_i.c, against the registered control. */
#define COBJMACROS
#include <windows.h>

#include <stdio.h>

#include "orvel_board.h"

static int failures;

static void Check(int ok, const char* what) {
  if (!ok) {
    printf("FAILED: %s\n", what);
    ++failures;
  }
}

static void Members(_OvlChess* board) {
  short col = 1, row = 1;
  PieceNum piece = None;
  VARIANT_BOOL enabled = VARIANT_FALSE;
  Check(_OvlChess_NewGame(board) == S_OK, "NewGame");
  Check(_OvlChess_get_Piece(board, &col, &row, &piece) == S_OK && piece == Brook, "a1 of the red side holds Brook");
  col = 5;
  row = 6;
  Check(_OvlChess_put_Piece(board, &col, &row, Wknight) == S_OK, "put_Piece");
  Check(_OvlChess_get_Piece(board, &col, &row, &piece) == S_OK && piece == Wknight, "the knight is read back");
  /* A code with no picture is stored and reported as the image list's error 35600. */
  Check(_OvlChess_put_Piece(board, &col, &row, (PieceNum)99) == MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, 35600),
        "error 35600 as an HRESULT");
  Check(_OvlChess_get_Enabled(board, &enabled) == S_OK && enabled == VARIANT_TRUE, "Enabled");
  Check(_OvlChess_Clear(board) == S_OK && _OvlChess_Refresh(board) == S_OK, "Clear and Refresh");
}

static void Identifiers(_OvlChess* board) {
  IProvideClassInfo2* classInfo = NULL;
  IConnectionPointContainer* container = NULL;
  IConnectionPoint* events = NULL;
  ITypeLib* library = NULL;
  ITypeInfo* coclass = NULL;
  GUID events_iid;
  Check(SUCCEEDED(_OvlChess_QueryInterface(board, &IID_IProvideClassInfo2, (void**)&classInfo)), "IProvideClassInfo2");
  if (classInfo) {
    Check(IProvideClassInfo2_GetGUID(classInfo, GUIDKIND_DEFAULT_SOURCE_DISP_IID, &events_iid) == S_OK &&
              IsEqualGUID(&events_iid, &DIID___OvlChess),
          "the event interface is DIID___OvlChess");
    IProvideClassInfo2_Release(classInfo);
  }
  Check(SUCCEEDED(_OvlChess_QueryInterface(board, &IID_IConnectionPointContainer, (void**)&container)),
        "IConnectionPointContainer");
  if (container) {
    Check(IConnectionPointContainer_FindConnectionPoint(container, &DIID___OvlChess, &events) == S_OK,
          "a connection point for DIID___OvlChess");
    if (events) IConnectionPoint_Release(events);
    IConnectionPointContainer_Release(container);
  }
  Check(LoadRegTypeLib(&LIBID_OrvelBoardLib, 1, 0, 0, &library) == S_OK, "LIBID_OrvelBoardLib is registered");
  if (library) {
    Check(ITypeLib_GetTypeInfoOfGuid(library, &CLSID_OvlChess, &coclass) == S_OK, "the library holds CLSID_OvlChess");
    if (coclass) ITypeInfo_Release(coclass);
    ITypeLib_Release(library);
  }
}

int main(void) {
  _OvlChess* board = NULL;
  if (FAILED(CoInitialize(NULL))) return 1;
  Check(CoCreateInstance(&CLSID_OvlChess, NULL, CLSCTX_INPROC_SERVER, &IID__OvlChess, (void**)&board) == S_OK,
        "CoCreateInstance(CLSID_OvlChess, IID__OvlChess)");
  if (board) {
    Members(board);
    Identifiers(board);
    _OvlChess_Release(board);
  }
  CoUninitialize();
  printf("C client: %s\n", failures ? "failed" : "passed");
  return failures ? 1 : 0;
}
