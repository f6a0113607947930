#pragma once

namespace control {

// The answers of a container's storage calls, as IPersistStorage gives them.
enum class StorageAnswer { Done, Unexpected, StorageRequired };

// Where an object stands between a container's save calls. After Save it must
// not write to its storage until SaveCompleted; after HandsOffStorage it holds
// none, so saving "to the same storage" is impossible and only a new one ends
// the state. The control keeps no storage open, so this is bookkeeping that
// lets it answer a container that breaks the order.
class StorageMode {
 public:
  StorageAnswer Save(bool sameAsLoad) {
    if (mode_ == Mode::HandsOff) return sameAsLoad ? StorageAnswer::Unexpected : StorageAnswer::Done;
    mode_ = Mode::NoScribble;
    return StorageAnswer::Done;
  }

  StorageAnswer SaveCompleted(bool newStorage) {
    if (mode_ == Mode::Normal) return StorageAnswer::Unexpected;
    if (mode_ == Mode::HandsOff && !newStorage) return StorageAnswer::StorageRequired;
    mode_ = Mode::Normal;
    return StorageAnswer::Done;
  }

  void HandsOff() { mode_ = Mode::HandsOff; }

 private:
  enum class Mode { Normal, NoScribble, HandsOff };
  Mode mode_ = Mode::Normal;
};

}  // namespace control
