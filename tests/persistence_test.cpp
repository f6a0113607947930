#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "board/automation_error.h"
#include "control/ovl_board.h"
#include "control/saved_stream.h"
#include "tests/headless_control.h"

using control::PropertyValue;
using control::MemoryPropertyBag;

namespace {

int LoadError(MemoryPropertyBag& bag, HeadlessControl& c) {
  try {
    c.control.UserControl_ReadProperties(bag);
  } catch (const board::AutomationError& e) {
    return e.number();
  }
  return 0;
}

}  // namespace

TEST(Persistence, ANewControlSavesItsDefaultsInOrder) {
  HeadlessControl c;
  MemoryPropertyBag bag;
  c.control.UserControl_WriteProperties(bag);
  ASSERT_EQ(bag.values.size(), 2u);
  EXPECT_EQ(bag.values.at("Enabled"), PropertyValue(true));
  EXPECT_EQ(bag.values.at("Piece"), PropertyValue(int16_t{0}));
}

TEST(Persistence, RoundTripKeepsEnabledAndPieceButNotTheBoard) {
  HeadlessControl saved;
  saved.control.Enabled(false);
  saved.control.Piece(3, 4, board::Bking);
  MemoryPropertyBag bag;
  saved.control.UserControl_WriteProperties(bag);
  EXPECT_EQ(bag.values.at("Piece"), PropertyValue(int16_t{7}));

  control::headless::HeadlessPlatform platform;
  control::OvlChess restored(platform);
  restored.UserControl_Initialize();
  restored.UserControl_ReadProperties(bag);
  EXPECT_FALSE(restored.Enabled());
  EXPECT_EQ(SavedPiece(restored), 7);
  for (int16_t row = 1; row <= 8; ++row)
    for (int16_t col = 1; col <= 8; ++col) EXPECT_EQ(restored.Piece(col, row), board::None);
  EXPECT_TRUE(platform.changedProperties.empty());
}

TEST(Persistence, AnEmptyBagGivesTheDefaults) {
  HeadlessControl c;
  c.platform.enabled = false;
  MemoryPropertyBag bag;
  c.control.UserControl_ReadProperties(bag);
  EXPECT_TRUE(c.control.Enabled());
  EXPECT_EQ(SavedPiece(c.control), 0);
}

TEST(Persistence, TextReadsAsAutomationReadsItWhateverItsCase) {
  EXPECT_EQ(control::ToInteger(std::string("True")), -1);
  EXPECT_EQ(control::ToInteger(std::string(" tRUE ")), -1);
  EXPECT_TRUE(control::ToBoolean(std::string("true")));
  EXPECT_EQ(control::ToInteger(std::string("FALSE")), 0);
  EXPECT_FALSE(control::ToBoolean(std::string(" False")));
  EXPECT_FALSE(control::ToBoolean(PropertyValue{}));
  EXPECT_THROW(control::ToBoolean(std::string("Truely")), board::AutomationError);
}

TEST(Persistence, ValuesOfOtherTypesConvertOrFailAndARefusedLoadChangesNothing) {
  struct Case {
    PropertyValue enabled, piece;
    int error;
    bool enabledAfter;
    int16_t pieceAfter;
  };
  const Case cases[] = {
      {std::string("False"), std::string(" 12 "), 0, false, 12},
      {int32_t{0}, int32_t{-32768}, 0, false, -32768},
      {int16_t{5}, 2.5, 0, true, 2},  // reals round half to even
      {true, std::string("abc"), 13, false, 3},
      {true, int32_t{70000}, 6, false, 3},
      {true, 32767.5, 6, false, 3},
      {std::string("yes"), int16_t{9}, 13, false, 3},
  };
  for (const Case& k : cases) {
    HeadlessControl c;
    c.control.Piece(1, 1, 3);
    c.platform.enabled = false;
    MemoryPropertyBag bag;
    bag.values["Enabled"] = k.enabled;
    bag.values["Piece"] = k.piece;
    c.platform.changedProperties.clear();
    EXPECT_EQ(LoadError(bag, c), k.error);
    EXPECT_EQ(c.control.Enabled(), k.enabledAfter);
    EXPECT_EQ(SavedPiece(c.control), k.pieceAfter);
    EXPECT_TRUE(c.platform.changedProperties.empty());
  }
}

namespace {

MemoryPropertyBag Bag(std::initializer_list<std::pair<const char*, PropertyValue>> values) {
  MemoryPropertyBag bag;
  for (const auto& [key, value] : values) bag.values[key] = value;
  return bag;
}

// What a control saves: its whole loadable state.
template <class Control>
MemoryPropertyBag SavedState(Control& control) {
  MemoryPropertyBag saved;
  control.UserControl_WriteProperties(saved);
  return saved;
}

// Loads `bag` into a new control of either class: the error, and whether its saved state changed.
template <class Control>
std::pair<int, bool> LoadInto(MemoryPropertyBag bag) {
  control::headless::HeadlessPlatform platform;
  Control control(platform);
  control.UserControl_Initialize();
  control.UserControl_InitProperties();
  const MemoryPropertyBag before = SavedState(control);
  int error = 0;
  try {
    control.UserControl_ReadProperties(bag);
  } catch (const board::AutomationError& e) {
    error = e.number();
  }
  return {error, SavedState(control).values != before.values};
}

}  // namespace

// Every key is read and checked before any is applied, whichever key fails.
TEST(Persistence, ARefusedBagLoadChangesNothingOnEitherClass) {
  struct Case {
    MemoryPropertyBag bag;
    int chessError, boardError;
  };
  const std::string junk = "junk";
  const Case cases[] = {
      {Bag({{"Enabled", false}, {"Piece", junk}}), 13, 13},
      {Bag({{"Enabled", false}, {"Piece", int32_t{70000}}}), 6, 6},
      {Bag({{"Piece", int16_t{5}}, {"Flipped", true}, {"AllowMoves", junk}}), 0, 13},
      {Bag({{"Enabled", false}, {"ShowCoordinates", junk}, {"Flipped", true}}), 0, 13},
      {Bag({{"Enabled", junk}, {"Flipped", true}}), 13, 13},
      {Bag({{"Enabled", false}, {"MovableSide", int16_t{4}}}), 0, 380},
      {Bag({{"Enabled", false}, {"AnimationTime", int16_t{2001}}}), 0, 380},
      {Bag({{"Enabled", false}, {"MovableSide", int16_t{1}}, {"_ExtentY", int32_t{0}}}), 0, 380},
      {Bag({{"Enabled", false}, {"_ExtentX", 3e9}}), 0, 6},
      {Bag({{"Enabled", false}, {"_ExtentX", std::string("1000000")}, {"_ExtentY", int32_t{1}}}), 0, 0},
  };
  for (const Case& c : cases) {
    const auto [chessError, chessChanged] = LoadInto<control::OvlChess>(c.bag);
    EXPECT_EQ(chessError, c.chessError);
    EXPECT_EQ(chessChanged, chessError == 0) << chessError;
    const auto [boardError, boardChanged] = LoadInto<control::OvlBoard>(c.bag);
    EXPECT_EQ(boardError, c.boardError);
    EXPECT_EQ(boardChanged, boardError == 0) << boardError;
  }
}

// What a container's bag answers, by the kind of value it holds: Empty is no
// value, so "Enabled" keeps its default rather than turning the board off.
TEST(Persistence, BagValuesByKind) {
  using control::ValueKind;
  const PropertyValue held = int32_t{7}, fallback = true;
  for (ValueKind kind : {ValueKind::Int32, ValueKind::Number, ValueKind::Text, ValueKind::Boolean})
    EXPECT_EQ(control::BagValue(kind, held, fallback), held) << static_cast<int>(kind);
  EXPECT_EQ(control::BagValue(ValueKind::Empty, PropertyValue{}, fallback), fallback);
  for (ValueKind kind : {ValueKind::Null, ValueKind::Error, ValueKind::Missing, ValueKind::Variant, ValueKind::Object,
                         ValueKind::Array, ValueKind::Other})
    EXPECT_THROW(control::BagValue(kind, held, fallback), board::AutomationError) << static_cast<int>(kind);
}

namespace {

using Bytes = std::vector<uint8_t>;
constexpr auto kChess = control::SavedClass::OvlChess;
constexpr auto kBoard = control::SavedClass::OvlBoard;

const Bytes kSaved = {'O', 'V', 'L', 'B', 1, 0, 4, 0, 0, 0, 7, 0};

Bytes With(Bytes bytes, size_t at, uint8_t value) {
  bytes[at] = value;
  return bytes;
}

}  // namespace

TEST(Persistence, SavedStreamRoundTripsItsBytes) {
  const MemoryPropertyBag bag = control::ReadSavedStream(kSaved, kChess);
  EXPECT_EQ(bag.values.at("Enabled"), PropertyValue(false));
  EXPECT_EQ(bag.values.at("Piece"), PropertyValue(int16_t{7}));
  const auto written = control::WriteSavedStream(bag, kChess);
  EXPECT_EQ(Bytes(written.begin(), written.end()), kSaved);

  MemoryPropertyBag enabled;
  enabled.values = {{"Enabled", true}, {"Piece", int16_t{-2}}};
  const auto bytes = control::WriteSavedStream(enabled, kChess);
  EXPECT_EQ(Bytes(bytes.begin() + 8, bytes.end()), (Bytes{0xFF, 0xFF, 0xFE, 0xFF}));
  EXPECT_EQ(control::ReadSavedStream(bytes, kChess).values.at("Enabled"), PropertyValue(true));
  // Any word but 0 is True, as automation converts.
  EXPECT_EQ(control::ReadSavedStream(With(kSaved, 8, 1), kChess).values.at("Enabled"), PropertyValue(true));
  // A container reads the header alone first, then as much as it says.
  EXPECT_EQ(control::SavedStreamSize(Bytes(kSaved.begin(), kSaved.begin() + 8), kChess), kSaved.size());
}

TEST(Persistence, AnyOtherBytesAreAnInvalidFormat) {
  const std::pair<const char*, Bytes> cases[] = {
      {"nothing", {}},
      {"a truncated header", Bytes(kSaved.begin(), kSaved.begin() + 5)},
      {"a header alone", Bytes(kSaved.begin(), kSaved.begin() + 8)},
      {"a payload cut short", Bytes(kSaved.begin(), kSaved.end() - 1)},
      {"a byte too many", {'O', 'V', 'L', 'B', 1, 0, 4, 0, 0, 0, 7, 0, 0}},
      {"another magic", With(kSaved, 3, 'C')},
      {"another magic's first letter", With(kSaved, 0, 'o')},
      {"version 0, saving nothing", {'O', 'V', 'L', 'B', 0, 0, 0, 0}},
      {"another version", With(kSaved, 4, 2)},
      {"a version's high byte", With(kSaved, 5, 1)},
      {"a payload size too small", With(kSaved, 6, 3)},
      {"a payload size too large", With(kSaved, 6, 5)},
      {"the largest payload size", With(With(kSaved, 6, 0xFF), 7, 0xFF)},
      {"a payload size's high byte", With(kSaved, 7, 1)},
  };
  for (const auto& [what, bytes] : cases) {
    try {
      control::ReadSavedStream(bytes, kChess);
      ADD_FAILURE() << what << " loaded";
    } catch (const board::AutomationError& e) {
      EXPECT_EQ(e.number(), 321) << what;
    }
  }
}

namespace {

// OvlBoard's stream: OvlChess's two words, then Flipped, ShowCoordinates, AllowMoves;
// from version 3 MovableSide, the extent's two 32-bit numbers and AnimationTime.
const Bytes kBoardSaved = {'O', 'V', 'L', 'B', 3, 0, 22, 0, 0xFF, 0xFF, 7, 0, 0xFF, 0xFF, 0, 0, 0, 0,
                           2, 0, 0x10, 0x27, 0, 0, 0x70, 0x11, 1, 0, 0xEE, 0x02};
const Bytes kBoardSavedBefore = {'O', 'V', 'L', 'B', 2, 0, 10, 0, 0xFF, 0xFF, 7, 0, 0xFF, 0xFF, 0, 0, 0, 0};

}  // namespace

TEST(Persistence, BoardStreamAddsItsPropertiesAfterTheChessOnes) {
  control::headless::HeadlessPlatform savedPlatform, restoredPlatform;
  control::OvlBoard saved(savedPlatform);
  saved.UserControl_Initialize();
  saved.Piece(3, 4, board::Bking);
  saved.Flipped(true);
  saved.AllowMoves(false);
  saved.MovableSide(control::sdRed);
  saved.SetExtent({10000, 70000});
  saved.AnimationTime(750);
  MemoryPropertyBag bag;
  saved.UserControl_WriteProperties(bag);
  const auto bytes = control::WriteSavedStream(bag, kBoard);
  EXPECT_EQ(Bytes(bytes.begin(), bytes.end()), kBoardSaved);

  MemoryPropertyBag read = control::ReadSavedStream(bytes, kBoard);
  control::OvlBoard restored(restoredPlatform);
  restored.UserControl_Initialize();
  restored.UserControl_ReadProperties(read);
  EXPECT_TRUE(restored.Flipped());
  EXPECT_FALSE(restored.ShowCoordinates());
  EXPECT_FALSE(restored.AllowMoves());
  EXPECT_EQ(restored.MovableSide(), control::sdRed);
  EXPECT_EQ(restored.Extent(), (control::HimetricSize{10000, 70000}));
  EXPECT_EQ(restored.AnimationTime(), 750);
  EXPECT_EQ(SavedPiece(restored), 7);

  // The version before keeps the newer properties' defaults.
  MemoryPropertyBag before = control::ReadSavedStream(kBoardSavedBefore, kBoard);
  restored.UserControl_ReadProperties(before);
  EXPECT_TRUE(restored.Flipped());
  EXPECT_EQ(restored.MovableSide(), control::sdBoth);
  EXPECT_EQ(restored.Extent(), control::kDefaultExtent);
  EXPECT_EQ(restored.AnimationTime(), control::kDefaultAnimationTime);
}

// OvlBoard reads OvlChess's version, its own properties at their defaults;
// OvlChess reads no later version.
TEST(Persistence, EachClassReadsItsVersionAndTheEarlierOnes) {
  const MemoryPropertyBag fromChess = control::ReadSavedStream(kSaved, kBoard);
  EXPECT_EQ(fromChess.values.size(), 2u);
  EXPECT_EQ(control::SavedStreamSize(kSaved, kBoard), kSaved.size());
  EXPECT_EQ(control::SavedStreamSize(kBoardSaved, kBoard), kBoardSaved.size());

  const std::pair<const char*, Bytes> refused[] = {
      {"OvlBoard's stream read by OvlChess", kBoardSaved},
      {"version 2 with version 1's payload", With(kSaved, 4, 2)},
      {"version 1 with version 2's payload", With(kBoardSaved, 4, 1)},
      {"a later version", With(kBoardSaved, 4, 4)},
      {"version 3 with version 2's payload", With(kBoardSavedBefore, 4, 3)},
      {"a payload cut short", Bytes(kBoardSaved.begin(), kBoardSaved.end() - 2)},
  };
  for (const auto& [what, bytes] : refused) {
    const auto& newest = std::string_view(what).starts_with("OvlBoard") ? kChess : kBoard;
    try {
      control::ReadSavedStream(bytes, newest);
      ADD_FAILURE() << what << " loaded";
    } catch (const board::AutomationError& e) {
      EXPECT_EQ(e.number(), 321) << what;
    }
  }
}
