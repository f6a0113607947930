// Which container interfaces and ambient properties the control asks for over
// a full life cycle: the list is printed for the record. And what a container
// sees when it lets go of a control still active in place.
#include <cstdio>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "component/identity.h"

#include "tests/windows/container/bench.h"
#include "tests/windows/container/tests.h"
#include "host/container_site/pixels.h"

namespace {

void Exercise(Bench& bench) {
  CHECK_HR(bench.Board()->NewGame(), S_OK);
  bench.SetPiece(5, 5, 8);  // refused in design mode; the ambient read is what counts
  CHECK_HR(bench.Board()->put_Enabled(VARIANT_TRUE), S_OK);
  bench.Mouse().Click(host::Mouse::CellCentre(1, 1));
  CHECK_HR(bench.Board()->Refresh(), S_OK);
  com::ComPtr<IStream> stream;
  CreateStreamOnHGlobal(nullptr, TRUE, stream.put());
  CHECK_HR(bench.control->As<IPersistStreamInit>()->Save(stream.get(), TRUE), S_OK);
  host::Canvas canvas(host::kBoardPixels, host::kBoardPixels);
  const RECTL bounds{0, 0, host::kBoardPixels, host::kBoardPixels};
  CHECK_HR(bench.control->As<IViewObject2>()->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, canvas.Dc(),
                                                   &bounds, nullptr, nullptr, 0),
           S_OK);
  PumpMessages();
  bench.control->Remove();
}

// The test container's site, writing down what the control tells it of its
// activation; it gives no frame, so nothing but the container holds the control.
class RecordingSite : public host::Site {
 public:
  using Site::Site;
  std::vector<std::string> heard;

  STDMETHODIMP OnInPlaceActivate() override { return Heard("OnInPlaceActivate"); }
  STDMETHODIMP OnUIActivate() override { return Heard("OnUIActivate"); }
  STDMETHODIMP OnUIDeactivate(BOOL) override { return Heard("OnUIDeactivate"); }
  STDMETHODIMP OnInPlaceDeactivate() override { return Heard("OnInPlaceDeactivate"); }
  STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document, LPRECT position,
                                LPRECT clip, LPOLEINPLACEFRAMEINFO info) override {
    const HRESULT hr = Site::GetWindowContext(frame, document, position, clip, info);
    if (*frame) std::exchange(*frame, nullptr)->Release();
    return hr;
  }

 private:
  HRESULT Heard(const char* call) {
    heard.emplace_back(call);
    return S_OK;
  }
};

ULONG References(IUnknown* object) {
  object->AddRef();
  return object->Release();
}

// A container lets go of a UI-active control without deactivating it, on the
// window's thread or another: the site hears the control leave, the window
// goes (on its own thread), the site is let go, and the library may unload,
// its window class gone with it.
void LettingGoWhileActive() {
  for (bool elsewhere : {false, true}) {
    check::context = elsewhere ? "let go on another thread" : "let go";
    HWND container = host::CreateHostWindow(L"OrvelBoard test container", 400, 400);
    const RECT position{0, 0, host::kBoardPixels, host::kBoardPixels};
    auto site = host::Make<RecordingSite>(container, position, nullptr);
    com::ComPtr<IOleObject> object;
    CHECK_HR(CoCreateInstance(component::identity::kClassId, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                              object.put_void()),
             S_OK);
    if (!object) return;
    auto* clientSite = static_cast<IOleClientSite*>(site.get());
    CHECK_HR(object->SetClientSite(clientSite), S_OK);
    CHECK_HR(object.As<IPersistStreamInit>()->InitNew(), S_OK);
    CHECK_HR(object->DoVerb(OLEIVERB_UIACTIVATE, nullptr, clientSite, 0, container, &position), S_OK);
    HWND window = nullptr;
    object.As<IOleWindow>()->GetWindow(&window);
    CHECK(IsWindow(window));
    const auto module = reinterpret_cast<HMODULE>(GetClassLongPtrW(window, GCLP_HMODULE));
    wchar_t windowClass[64] = {};
    GetClassNameW(window, windowClass, 64);
    const auto canUnload = reinterpret_cast<HRESULT(__stdcall*)()>(
        reinterpret_cast<void*>(GetProcAddress(module, "DllCanUnloadNow")));
    CHECK(canUnload && canUnload() == S_FALSE);

    if (elsewhere) {
      IOleObject* last = nullptr;
      object.CopyTo(&last);
      object.reset();
      std::thread([last] { last->Release(); }).join();
      CHECK(IsWindow(window));  // waiting for its own thread
      if (canUnload) CHECK_HR(canUnload(), S_FALSE);
    } else {
      object.reset();
    }
    PumpMessages();
    const std::vector<std::string> expected = {"OnInPlaceActivate", "OnUIActivate", "OnUIDeactivate",
                                               "OnInPlaceDeactivate"};
    CHECK(site->heard == expected);
    CHECK(!IsWindow(window));
    CHECK_EQ(References(clientSite), 1);
    if (canUnload) CHECK_HR(canUnload(), S_OK);
    WNDCLASSW registered{};
    CHECK(!GetClassInfoW(module, windowClass, &registered));
    DestroyWindow(container);
    PumpMessages();
  }
  check::context = "";
}

}  // namespace

void TestInterfaces() {
  LettingGoWhileActive();
  for (bool userMode : {true, false}) {
    Bench bench({.userMode = userMode});
    if (!bench.ready) return;
    Exercise(bench);
    std::printf("%s:\n", userMode ? "Run mode" : "Design mode");
    bench.log.Print();
    CHECK(!bench.log.Interfaces().empty());
  }
}
