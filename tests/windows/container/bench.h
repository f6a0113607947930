#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "component/com/com_ptr.h"
#include "host/container_site/embedding.h"
#include "host/container_site/messages.h"
#include "tests/windows/check.h"

#define CHECK_HR(call, expected) \
  check::Equal(static_cast<HRESULT>(call), static_cast<HRESULT>(expected), #call, __LINE__)
#define CHECK_FAILED(call) ExpectFailure((call), #call, __LINE__)

inline void ExpectFailure(HRESULT hr, const char* what, int line) {
  if (SUCCEEDED(hr)) check::Fail(line, std::string(what) + " succeeded with " + check::Show(hr));
}

// DISPIDs of the control's members and events.
constexpr DISPID kPieceId = 0x68030000;
constexpr DISPID kEnabledId = 0x68030001;
constexpr DISPID kClick = 1, kDblClick = 2, kMouseDown = 3, kMouseMove = 4, kMouseUp = 5;

struct BenchOptions {
  bool userMode = true;
  bool initNew = true;
  bool activate = true;
  // Sized as the control asks (its extent at the window's DPI), not 296 pixels square.
  bool sizeFromExtent = false;
  // An OvlBoard in place of an OvlChess.
  bool moveBoard = false;
  // The rectangle the container gives the control, in the window's pixels.
  int width = host::kBoardPixels;
  int height = host::kBoardPixels;
};

// One control in its own window, with an event sink and a property-change
// sink connected: what every test starts from.
class Bench {
 public:
  explicit Bench(BenchOptions options = {});
  ~Bench();

  _OvlChess* Board() const { return control->Board(); }
  host::Mouse Mouse() const { return host::Mouse(control->Window()); }
  // Reads a square through _OvlChess; -1 when the call fails.
  long Piece(short col, short row) const;
  HRESULT SetPiece(short col, short row, long value) const;
  const std::vector<host::RecordedEvent>& Events() const { return events->Events(); }

  HWND window = nullptr;
  host::InterfaceLog log;
  com::ComPtr<host::EventSink> events;
  com::ComPtr<host::PropertyNotifySink> changes;
  std::unique_ptr<host::EmbeddedControl> control;
  bool ready = false;
};

using host::PumpMessages;

// A modal box seen on screen: its title, its text, its owner and buttons.
struct SeenBox {
  std::wstring title;
  std::wstring text;
  HWND owner;
  std::vector<std::wstring> buttons;
};

// Watches this process's dialog boxes from a second thread and closes each
// with OK, so a modal box never hangs the run.
class BoxWatcher {
 public:
  BoxWatcher();
  ~BoxWatcher();
  std::vector<SeenBox> Take();

 private:
  void Watch();

  std::mutex mutex_;
  std::vector<SeenBox> seen_;
  std::vector<HWND> closed_;
  bool stop_ = false;
  std::thread thread_;
};

BoxWatcher& Boxes();
using check::Narrow;
