// Piece writes in design and run mode, error values, change notifications and
// the box shown for squares off the board.
#include <olectl.h>

#include <cstdio>

#include "component/com/unique.h"
#include "tests/windows/container/bench.h"
#include "tests/windows/container/tests.h"
#include "tests/windows/check.h"

namespace {

constexpr HRESULT kDesignTime = check::AutomationError(382);
constexpr HRESULT kOverflow = check::AutomationError(6);
constexpr HRESULT kOutOfBounds = check::AutomationError(35600);

struct InvokeResult {
  HRESULT hr;
  SCODE scode;
};

// Piece put through IDispatch::Invoke, the way a script host calls it.
InvokeResult InvokePutPiece(_OvlChess* board, short col, short row, long value) {
  VARIANTARG arguments[3];
  arguments[0].vt = VT_I4;
  arguments[0].lVal = value;
  arguments[1].vt = VT_BYREF | VT_I2;
  arguments[1].piVal = &row;
  arguments[2].vt = VT_BYREF | VT_I2;
  arguments[2].piVal = &col;
  DISPID named = DISPID_PROPERTYPUT;
  DISPPARAMS parameters{arguments, &named, 3, 1};
  EXCEPINFO exception{};
  UINT badArgument = 0;
  const HRESULT hr = board->Invoke(kPieceId, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &parameters, nullptr,
                                   &exception, &badArgument);
  SCODE scode = exception.scode;
  if (exception.pfnDeferredFillIn) exception.pfnDeferredFillIn(&exception);
  if (!scode) scode = exception.scode;
  SysFreeString(exception.bstrSource);
  SysFreeString(exception.bstrDescription);
  SysFreeString(exception.bstrHelpFile);
  return {hr, scode};
}

void CheckInvokeError(_OvlChess* board, long value, HRESULT expected) {
  const InvokeResult result = InvokePutPiece(board, 2, 3, value);
  CHECK_HR(result.hr, DISP_E_EXCEPTION);
  CHECK_HR(result.scode, expected);
}

std::wstring ErrorDescription() {
  com::ComPtr<IErrorInfo> info;
  if (GetErrorInfo(0, info.put()) != S_OK || !info) return L"";
  com::UniqueBstr description;
  info->GetDescription(description.put());
  return description.get() ? description.get() : L"";
}

void DesignModeRefusesWrites() {
  Bench bench({.userMode = false});
  if (!bench.ready) return;
  const long before = bench.Piece(4, 4);
  CHECK_HR(bench.SetPiece(4, 4, 7), kDesignTime);
  CHECK_EQ(bench.Piece(4, 4), before);
  CheckInvokeError(bench.Board(), 7, kDesignTime);
  CHECK(bench.changes->Changes().empty());

  bench.control->ControlSite()->SetUserMode(true);
  auto control = bench.control->As<IOleControl>();
  CHECK(control);
  if (control) CHECK_HR(control->OnAmbientPropertyChange(DISPID_AMBIENT_USERMODE), S_OK);
  CHECK_HR(bench.SetPiece(4, 4, 7), S_OK);
  CHECK_EQ(bench.Piece(4, 4), 7);
}

void ValueErrors() {
  Bench bench;
  if (!bench.ready) return;
  CHECK_HR(bench.SetPiece(1, 1, 40000), kOverflow);
  CHECK_HR(bench.SetPiece(1, 1, 0), kOutOfBounds);
  CHECK(ErrorDescription() == L"Index out of bounds");
  CHECK_EQ(bench.Piece(1, 1), 0);
  CHECK_HR(bench.SetPiece(1, 2, 15), kOutOfBounds);
  CHECK_EQ(bench.Piece(1, 2), 15);
  CheckInvokeError(bench.Board(), 0, kOutOfBounds);
  CheckInvokeError(bench.Board(), 32768, kOverflow);
  const InvokeResult good = InvokePutPiece(bench.Board(), 2, 3, 6);
  CHECK_HR(good.hr, S_OK);
  CHECK_EQ(bench.Piece(2, 3), 6);
}

void WritesNotifyChanges() {
  Bench bench;
  if (!bench.ready) return;
  bench.changes->ClearChanges();
  CHECK_HR(bench.SetPiece(5, 5, 11), S_OK);
  CHECK_HR(bench.Board()->put_Enabled(VARIANT_FALSE), S_OK);
  const auto& changes = bench.changes->Changes();
  CHECK(changes.size() == 2 && changes[0] == kPieceId && changes[1] == kEnabledId);
  for (DISPID dispid : changes) std::printf("    OnChanged(%#lx)\n", static_cast<unsigned long>(dispid));
}

struct OffBoard {
  short col, row;
  bool write;
};

}  // namespace

void TestErrors() {
  DesignModeRefusesWrites();
  ValueErrors();
  WritesNotifyChanges();
}

void TestMessageBox() {
  Bench bench;
  if (!bench.ready) return;
  const HWND controlWindow = bench.control->Window();
  Boxes().Take();
  const OffBoard cases[] = {{0, 5, false}, {1, 9, false}, {9, 1, true}, {3, 0, true}};
  for (const auto& c : cases) {
    short col = c.col, row = c.row;
    PieceNum piece = static_cast<PieceNum>(-1);
    const HRESULT hr = c.write ? bench.Board()->put_Piece(&col, &row, static_cast<PieceNum>(8))
                               : bench.Board()->get_Piece(&col, &row, &piece);
    std::printf("    %s Piece(%d, %d): hr 0x%08lX\n", c.write ? "put" : "get", c.col, c.row, (unsigned long)hr);
    CHECK_HR(hr, S_OK);
    if (!c.write) CHECK_EQ(static_cast<long>(piece), 0);
    const auto boxes = Boxes().Take();
    CHECK_EQ(boxes.size(), 1u);
    for (const auto& box : boxes) {
      std::printf("    box \"%s\" titled \"%s\", buttons %zu\n", Narrow(box.text).c_str(), Narrow(box.title).c_str(),
                  box.buttons.size());
      CHECK(box.text == L"Invalid request");
      CHECK(!box.title.empty());
      CHECK(box.buttons.size() == 1 && box.buttons[0] == L"OK");
      CHECK(box.owner == controlWindow || box.owner == GetAncestor(controlWindow, GA_ROOT));
    }
  }
}
