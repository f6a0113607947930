// The promotion choice through COM: chosen by the mouse, the keyboard and a
// screen reader in this process, dismissed by Escape, refused on a square
// without a pawn; its answer arrives once, by reference, with dispatch id 8.
#include <oleacc.h>

#include <string>
#include <vector>

#include "component/com/unique.h"
#include "tests/windows/container/bench.h"
#include "tests/windows/container/tests.h"
#include "tests/windows/check.h"

namespace {

constexpr DISPID kPromotionChosen = 8;
constexpr LONG kPromotionListObject = 1;  // the object id the board's window answers with the list
constexpr short kWknight = 10, kWrook = 9, kNone = 1;

// The focus events this process hears: the window's object and child, in order.
std::vector<std::pair<LONG, LONG>> focusEvents;

void CALLBACK HearFocus(HWINEVENTHOOK, DWORD, HWND, LONG object, LONG child, DWORD, DWORD) {
  focusEvents.emplace_back(object, child);
}

struct Answer {
  short col, row;
  long piece;
  bool byReference;
};

std::vector<Answer> Answers(const std::vector<host::RecordedEvent>& events) {
  std::vector<Answer> answers;
  for (const auto& e : events) {
    if (e.dispid != kPromotionChosen || e.arguments.size() != 3) continue;
    const bool byReference = e.arguments[0].type == (VT_BYREF | VT_I2) && e.arguments[2].type == (VT_BYREF | VT_I4);
    answers.push_back({static_cast<short>(e.arguments[0].value), static_cast<short>(e.arguments[1].value),
                       static_cast<long>(e.arguments[2].value), byReference});
  }
  return answers;
}

void ExpectAnswer(host::EventSink& sink, long piece, const char* what) {
  PumpMessages();
  const std::vector<Answer> answers = Answers(sink.Events());
  check::context = what;
  CHECK_EQ(answers.size(), size_t{1});
  if (answers.size() == 1) {
    CHECK_EQ(answers[0].col, 5);
    CHECK_EQ(answers[0].row, 1);
    CHECK_EQ(answers[0].piece, piece);
    CHECK(answers[0].byReference);
  }
  CHECK_EQ(sink.Events().size(), answers.size());  // the rest of the board took no input
  sink.ClearEvents();
}

void Key(HWND window, WPARAM key) {
  SendMessageW(window, WM_KEYDOWN, key, 1);
  SendMessageW(window, WM_KEYUP, key, 0xC0000001);
}

std::wstring NameOf(IAccessible* accessible, LONG child) {
  VARIANT id{};
  id.vt = VT_I4;
  id.lVal = child;
  com::UniqueBstr name;
  accessible->get_accName(id, name.put());
  return name.get() ? name.get() : L"";
}

}  // namespace

void TestPromotion() {
  Bench bench({.moveBoard = true});
  _OvlBoard* board = bench.control->MoveBoard();
  if (!bench.ready || !board) return;
  host::EventSink* sink = bench.events.get();
  HWND boardWindow = bench.control->Window();
  short col = 5, row = 1;
  CHECK_HR(board->put_Piece(&col, &row, Wpawn), S_OK);  // a cream pawn on e8
  SetFocus(boardWindow);
  PumpMessages();
  sink->ClearEvents();

  check::context = "errors";
  CHECK_HR(board->ChoosePromotion(4, 4), 0x800A0005);  // no pawn there
  CHECK_HR(board->ChoosePromotion(9, 1), 0x800A017D);

  CHECK_HR(board->ChoosePromotion(5, 1), S_OK);
  Key(boardWindow, VK_DOWN);
  Key(boardWindow, VK_RETURN);
  ExpectAnswer(*sink, kWknight, "Down, Enter");

  CHECK_HR(board->ChoosePromotion(5, 1), S_OK);
  Key(boardWindow, VK_ESCAPE);
  ExpectAnswer(*sink, kNone, "Escape");

  // The column runs down from e8: the rook is the third piece, on e6.
  CHECK_HR(board->ChoosePromotion(5, 1), S_OK);
  host::Mouse mouse(boardWindow);
  mouse.Click(host::Mouse::CellCentre(5, 3));
  ExpectAnswer(*sink, kWrook, "a click on the rook");

  CHECK_HR(board->ChoosePromotion(5, 1), S_OK);
  mouse.Click(host::Mouse::CellCentre(1, 8));
  ExpectAnswer(*sink, kNone, "a click elsewhere");

  check::context = "reader";
  HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, nullptr, HearFocus,
                                       GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
  focusEvents.clear();
  CHECK_HR(board->ChoosePromotion(5, 1), S_OK);
  PumpMessages();
  com::ComPtr<IAccessible> list;
  CHECK_HR(AccessibleObjectFromWindow(boardWindow, static_cast<DWORD>(kPromotionListObject), IID_IAccessible,
                                      list.put_void()),
           S_OK);
  if (list) {
    CHECK(NameOf(list.get(), CHILDID_SELF) == L"Promote to");
    const wchar_t* const names[] = {L"cream queen", L"cream knight", L"cream rook", L"cream bishop"};
    for (LONG item = 1; item <= 4; ++item) CHECK(NameOf(list.get(), item) == names[item - 1]);
    Key(boardWindow, VK_DOWN);
    PumpMessages();
    VARIANT rook{};
    rook.vt = VT_I4;
    rook.lVal = 3;
    CHECK_HR(list->accDoDefaultAction(rook), S_OK);
  }
  ExpectAnswer(*sink, kWrook, "a reader's default action");
  PumpMessages();
  // Each item heard once as it was reached, then the square the keyboard went back to.
  const std::vector<std::pair<LONG, LONG>> heard{{kPromotionListObject, 1}, {kPromotionListObject, 2},
                                                 {OBJID_CLIENT, 5}};
  CHECK(focusEvents == heard);
  for (const auto& [object, child] : focusEvents) std::printf("    focus: object %ld, child %ld\n", object, child);
  UnhookWinEvent(hook);
}
