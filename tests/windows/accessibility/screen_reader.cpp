// A screen-reader-like client in its own process: it reaches the board only
// through Active Accessibility, as assistive software does, and writes what it
// reads, one line each, to a file the host program checks.
//
// Usage: screen_reader HWND OUT_FILE names
//        screen_reader HWND OUT_FILE details
//        screen_reader HWND OUT_FILE activate CHILD
//        screen_reader HWND OUT_FILE focus
//        screen_reader HWND OUT_FILE select CHILD   (takes the focus to the child)
//        screen_reader HWND OUT_FILE value          (the board's value, description and help)
//        screen_reader HWND OUT_FILE follow STOP_FILE   (WinEvents until STOP_FILE appears)
//        screen_reader HWND OUT_FILE speak STOP_FILE    (what a reader would say, counted per step the host declares)
#include <windows.h>
#include <oleacc.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <string>
#include <vector>

#include "board/text.h"
#include "component/com/com_ptr.h"
#include "component/com/unique.h"
#include "tests/windows/accessibility/child_id.h"
#include "tests/windows/accessibility/move_made.h"

namespace {

FILE* out = nullptr;
HWND boardWindow = nullptr;

std::string Narrow(const wchar_t* text) { return text ? board::Narrow(text) : std::string(); }


std::string NameOf(IAccessible* accessible, VARIANT child) {
  com::UniqueBstr name;
  if (FAILED(accessible->get_accName(child, name.put()))) return "<no name>";
  return Narrow(name.get());
}

long StateOf(IAccessible* accessible, long child) {
  VARIANT state;
  VariantInit(&state);
  return SUCCEEDED(accessible->get_accState(Child(child), &state)) && state.vt == VT_I4 ? state.lVal : -1;
}

std::string StateWords(long state) {
  std::string words;
  if (state & STATE_SYSTEM_FOCUSABLE) words += " focusable";
  if (state & STATE_SYSTEM_FOCUSED) words += " focused";
  if (state & STATE_SYSTEM_UNAVAILABLE) words += " unavailable";
  if (state & STATE_SYSTEM_SELECTED) words += " selected";
  return words.empty() ? " none" : words;
}

void Names(IAccessible* board) {
  long count = 0;
  board->get_accChildCount(&count);
  std::fprintf(out, "board %s, %ld children\n", NameOf(board, Child(CHILDID_SELF)).c_str(), count);
  for (long child = 1; child <= count; ++child) std::fprintf(out, "%ld %s\n", child, NameOf(board, Child(child)).c_str());
}

long Long(const VARIANT& v) { return v.vt == VT_I4 ? v.lVal : -1; }

void Details(IAccessible* board) {
  VARIANT role;
  VariantInit(&role);
  board->get_accRole(Child(CHILDID_SELF), &role);
  std::fprintf(out, "board role %ld state%s\n", Long(role), StateWords(StateOf(board, CHILDID_SELF)).c_str());
  board->get_accRole(Child(53), &role);
  com::UniqueBstr action, description;
  board->get_accDefaultAction(Child(53), action.put());
  board->get_accDescription(Child(53), description.put());
  std::fprintf(out, "53 role %ld state%s action %s description %s\n", Long(role),
               StateWords(StateOf(board, 53)).c_str(), Narrow(action.get()).c_str(),
               Narrow(description.get()).c_str());
  LONG left = 0, top = 0, width = 0, height = 0;
  board->accLocation(&left, &top, &width, &height, Child(53));
  VARIANT hit;
  VariantInit(&hit);
  board->accHitTest(left + width - 1, top + height - 1, &hit);
  std::fprintf(out, "53 size %ldx%ld hit at its far corner %ld\n", long(width), long(height), Long(hit));
  VARIANT up, first;
  VariantInit(&up);
  VariantInit(&first);
  board->accNavigate(NAVDIR_UP, Child(53), &up);
  board->accNavigate(NAVDIR_FIRSTCHILD, Child(CHILDID_SELF), &first);
  std::fprintf(out, "up from 53 %ld, first child %ld\n", Long(up), Long(first));
}

std::string ValueOf(IAccessible* accessible, VARIANT child) {
  com::UniqueBstr value;
  if (FAILED(accessible->get_accValue(child, value.put()))) return "<no value>";
  return Narrow(value.get());
}

void Value(IAccessible* board) {
  com::UniqueBstr description, help;
  board->get_accDescription(Child(CHILDID_SELF), description.put());
  board->get_accHelp(Child(CHILDID_SELF), help.put());
  std::fprintf(out, "value %s\ndescription %s\nhelp %s\n", ValueOf(board, Child(CHILDID_SELF)).c_str(),
               Narrow(description.get()).c_str(), Narrow(help.get()).c_str());
}

long Focus(IAccessible* board) {
  VARIANT focus;
  VariantInit(&focus);
  board->get_accFocus(&focus);
  return Long(focus);
}

void CALLBACK OnEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD, DWORD) noexcept {
  static HWND board = reinterpret_cast<HWND>(std::strtoull(__argv[1], nullptr, 0));
  if (window != board || object != OBJID_CLIENT) return;
  // Written before any call to the board: while a call waits, COM delivers the next
  // events, whose lines below then come out first.
  const char* kind = event == EVENT_OBJECT_FOCUS         ? "focus"
                     : event == EVENT_OBJECT_NAMECHANGE  ? "name"
                     : event == EVENT_OBJECT_VALUECHANGE ? "value"
                     : event == EVENT_OBJECT_STATECHANGE ? "state"
                                                         : nullptr;
  if (kind) std::fprintf(out, "heard %s %ld\n", kind, long(child));
  com::ComPtr<IAccessible> accessible;
  VARIANT which;
  VariantInit(&which);
  if (FAILED(AccessibleObjectFromEvent(window, object, child, accessible.put(), &which))) {
    std::fprintf(out, "event %#lx %ld unreadable\n", static_cast<unsigned long>(event), long(child));
    return;
  }
  if (event == EVENT_OBJECT_FOCUS)
    std::fprintf(out, "focus %ld %s\n", long(child), NameOf(accessible.get(), which).c_str());
  if (event == EVENT_OBJECT_NAMECHANGE) std::fprintf(out, "name %ld %s\n", long(child), NameOf(accessible.get(), which).c_str());
  if (event == EVENT_OBJECT_VALUECHANGE)
    std::fprintf(out, "value %ld %s\n", long(child), ValueOf(accessible.get(), which).c_str());
  if (event == EVENT_OBJECT_STATECHANGE)
    std::fprintf(out, "state %ld%s\n", long(child), StateWords(StateOf(accessible.get(), CHILDID_SELF)).c_str());
  std::fflush(out);
}

struct Event {
  DWORD event;
  HWND window;
  LONG object, child;
};

// A reader's speech: the focused item when the focus moves (its name, the states
// a reader speaks and its description), and again what changed of it when the
// focused item's name, state or description changes. Everything is read when the
// event is handled, as a reader in another process reads it, one event after
// another: a read pumps messages, and the events arriving meanwhile wait their turn.
struct Speech {
  long focused = -1;
  std::vector<std::string> said;  // since the host's last step
  int steps = 0;
  std::deque<Event> pending;
  bool busy = false;
} speech;

com::ComPtr<IAccessible> CellObject(long child, VARIANT& which) {
  com::ComPtr<IAccessible> accessible;
  VariantInit(&which);
  if (FAILED(AccessibleObjectFromEvent(boardWindow, OBJID_CLIENT, child, accessible.put(), &which))) return {};
  return accessible;
}

std::string SpokenStates(IAccessible* accessible, VARIANT which) {
  VARIANT state;
  VariantInit(&state);
  if (FAILED(accessible->get_accState(which, &state)) || state.vt != VT_I4) return "";
  std::string words;
  if (state.lVal & STATE_SYSTEM_SELECTED) words += ", selected";
  if (state.lVal & STATE_SYSTEM_UNAVAILABLE) words += ", unavailable";
  return words;
}

std::string DescriptionOf(IAccessible* accessible, VARIANT which) {
  com::UniqueBstr description;
  if (FAILED(accessible->get_accDescription(which, description.put()))) return "<no description>";
  return Narrow(description.get());
}

// What is said of the event on the focused square.
std::string Spoken(DWORD event, long child) {
  VARIANT which;
  const com::ComPtr<IAccessible> cell = CellObject(child, which);
  if (!cell) return "<unreadable>";
  if (event == EVENT_OBJECT_NAMECHANGE) return NameOf(cell.get(), which);
  if (event == EVENT_OBJECT_STATECHANGE) return "state" + SpokenStates(cell.get(), which);
  if (event == EVENT_OBJECT_DESCRIPTIONCHANGE) return DescriptionOf(cell.get(), which);
  return NameOf(cell.get(), which) + SpokenStates(cell.get(), which) + "; " + DescriptionOf(cell.get(), which);
}

// The host's step is complete: what was said since the previous one.
void CountStep() {
  std::string lines;
  for (const std::string& line : speech.said) lines += " | " + line;
  std::fprintf(out, "step %d: said %d%s\n", ++speech.steps, static_cast<int>(speech.said.size()), lines.c_str());
  speech.said.clear();
}

bool Spoken(DWORD event) {
  return event == EVENT_OBJECT_NAMECHANGE || event == EVENT_OBJECT_STATECHANGE ||
         event == EVENT_OBJECT_DESCRIPTIONCHANGE;
}

void Speak(const Event& heard) {
  const HWND host = GetAncestor(boardWindow, GA_ROOT);
  if (heard.event == move_made::kEvent && heard.object == move_made::kObject && heard.window == host) {
    if (heard.child == move_made::kHello) std::fprintf(out, "heard the host\n");
    else CountStep();
  } else if (heard.window == boardWindow && heard.object == OBJID_CLIENT) {
    if (heard.event == EVENT_OBJECT_FOCUS) speech.focused = heard.child;
    else if (!Spoken(heard.event) || heard.child != speech.focused) return;
    speech.said.push_back(Spoken(heard.event, heard.child));
    std::fprintf(out, "say %ld %s\n", long(heard.child), speech.said.back().c_str());
  }
  std::fflush(out);
}

void CALLBACK OnSpeechEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD, DWORD) noexcept {
  speech.pending.push_back({event, window, object, child});
  if (speech.busy) return;
  speech.busy = true;
  while (!speech.pending.empty()) {
    const Event next = speech.pending.front();
    speech.pending.pop_front();
    Speak(next);
  }
  speech.busy = false;
}

void Follow(const char* stopFile, WINEVENTPROC onEvent) {
  // Process id 0: Wine delivers nothing to an out-of-context hook limited to one process.
  HWINEVENTHOOK hook =
      SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_VALUECHANGE, nullptr, onEvent, 0, 0, WINEVENT_OUTOFCONTEXT);
  std::fprintf(out, "hooked %s\n", hook ? "yes" : "no");
  std::fflush(out);
  const ULONGLONG end = GetTickCount64() + 60000;
  while (GetFileAttributesA(stopFile) == INVALID_FILE_ATTRIBUTES && GetTickCount64() < end) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  }
  if (hook) UnhookWinEvent(hook);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) return 2;
  out = std::fopen(argv[2], "w");
  if (!out) return 3;
  CoInitialize(nullptr);
  HWND window = reinterpret_cast<HWND>(std::strtoull(argv[1], nullptr, 0));
  boardWindow = window;
  com::ComPtr<IAccessible> board;
  HRESULT hr = AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible, board.put_void());
  if (FAILED(hr) || !board) {
    std::fprintf(out, "AccessibleObjectFromWindow failed 0x%08lx\n", static_cast<unsigned long>(hr));
  } else if (std::strcmp(argv[3], "names") == 0) {
    Names(board.get());
  } else if (std::strcmp(argv[3], "details") == 0) {
    Details(board.get());
  } else if (std::strcmp(argv[3], "activate") == 0 && argc > 4) {
    hr = board->accDoDefaultAction(Child(std::atol(argv[4])));
    std::fprintf(out, "activate 0x%08lx\n", static_cast<unsigned long>(hr));
  } else if (std::strcmp(argv[3], "focus") == 0) {
    std::fprintf(out, "focus %ld\n", Focus(board.get()));
  } else if (std::strcmp(argv[3], "select") == 0 && argc > 4) {
    hr = board->accSelect(SELFLAG_TAKEFOCUS, Child(std::atol(argv[4])));
    std::fprintf(out, "select 0x%08lx focus %ld\n", static_cast<unsigned long>(hr), Focus(board.get()));
  } else if (std::strcmp(argv[3], "value") == 0) {
    Value(board.get());
  } else if (std::strcmp(argv[3], "follow") == 0 && argc > 4) {
    Follow(argv[4], OnEvent);
  } else if (std::strcmp(argv[3], "speak") == 0 && argc > 4) {
    Follow(argv[4], OnSpeechEvent);
  }
  board.reset();
  std::fclose(out);
  CoUninitialize();
  return 0;
}
