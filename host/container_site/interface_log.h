#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace host {

// What the control asked of the container: the interfaces it queried each site
// object for, and the ambient properties it read, in first-asked order.
class InterfaceLog {
 public:
  void Queried(const char* object, REFIID iid, bool answered);
  void AmbientRead(DISPID dispid);

  const std::vector<std::string>& Interfaces() const { return interfaces_; }
  const std::vector<DISPID>& Ambients() const { return ambients_; }
  void Print() const;

 private:
  std::vector<std::string> interfaces_;
  std::vector<DISPID> ambients_;
};

// A readable name for the interfaces a container deals with, else the GUID text.
std::string InterfaceName(REFIID iid);

}  // namespace host
