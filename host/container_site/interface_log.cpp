#include "host/container_site/interface_log.h"

#include <ocidl.h>
#include <olectl.h>

#include <algorithm>
#include <cstdio>
#include <iterator>

namespace host {
namespace {

struct KnownInterface {
  const IID* iid;
  const char* name;
};

const KnownInterface kKnown[] = {
    {&IID_IUnknown, "IUnknown"},
    {&IID_IDispatch, "IDispatch"},
    {&IID_IOleClientSite, "IOleClientSite"},
    {&IID_IOleWindow, "IOleWindow"},
    {&IID_IOleInPlaceSite, "IOleInPlaceSite"},
    {&IID_IOleInPlaceSiteEx, "IOleInPlaceSiteEx"},
    {&IID_IOleInPlaceSiteWindowless, "IOleInPlaceSiteWindowless"},
    {&IID_IOleControlSite, "IOleControlSite"},
    {&IID_IOleInPlaceFrame, "IOleInPlaceFrame"},
    {&IID_IOleInPlaceUIWindow, "IOleInPlaceUIWindow"},
    {&IID_IOleContainer, "IOleContainer"},
    {&IID_IAdviseSink, "IAdviseSink"},
    {&IID_IServiceProvider, "IServiceProvider"},
    {&IID_IPropertyNotifySink, "IPropertyNotifySink"},
    {&IID_IPropertyBag, "IPropertyBag"},
    {&IID_IPropertyBag2, "IPropertyBag2"},
    {&IID_IErrorLog, "IErrorLog"},
    {&IID_ISimpleFrameSite, "ISimpleFrameSite"},
    {&IID_IBindHost, "IBindHost"},
    {&IID_IMarshal, "IMarshal"},
    {&IID_INoMarshal, "INoMarshal"},
    {&IID_IAgileObject, "IAgileObject"},
    {&IID_IProvideClassInfo, "IProvideClassInfo"},
    {&IID_IConnectionPointContainer, "IConnectionPointContainer"},
    {&IID_IStdMarshalInfo, "IStdMarshalInfo"},
    {&IID_IExternalConnection, "IExternalConnection"},
};

bool Contains(const std::vector<std::string>& list, const std::string& item) {
  return std::find(list.begin(), list.end(), item) != list.end();
}

}  // namespace

std::string InterfaceName(REFIID iid) {
  for (const auto& known : kKnown)
    if (iid == *known.iid) return known.name;
  wchar_t text[40] = {};
  StringFromGUID2(iid, text, static_cast<int>(std::size(text)));
  std::string narrow;
  for (const wchar_t* c = text; *c; ++c) narrow += static_cast<char>(*c);
  return narrow;
}

void InterfaceLog::Queried(const char* object, REFIID iid, bool answered) {
  const std::string entry = std::string(object) + ": " + InterfaceName(iid) + (answered ? "" : " (not implemented)");
  if (!Contains(interfaces_, entry)) interfaces_.push_back(entry);
}

void InterfaceLog::AmbientRead(DISPID dispid) {
  if (std::find(ambients_.begin(), ambients_.end(), dispid) == ambients_.end()) ambients_.push_back(dispid);
}

void InterfaceLog::Print() const {
  std::printf("Interfaces the control asked the container for:\n");
  for (const auto& entry : interfaces_) std::printf("  %s\n", entry.c_str());
  std::printf("Ambient properties read (DISPID):\n");
  for (DISPID dispid : ambients_) std::printf("  %ld\n", static_cast<long>(dispid));
}

}  // namespace host
