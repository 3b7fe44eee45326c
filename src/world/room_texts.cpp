// What each of the eighteen rooms shows, with the evidence lines of the items lying there.
#include "world/room_texts.h"

#include <array>

namespace ashwicket {
namespace {

constexpr RoomLine kEmpty{""};

constexpr std::array<RoomLine, 3> kParkingLot = {{
    {"It's a cold night. The flashing lights of the squad car wash the inn"},
    {"in an eerie red and blue glow. Death hangs heavy in the air."},
    {"The parking lot is nearly empty."},
}};

constexpr std::array<RoomLine, 3> kInnEntrance = {{
    {"You are standing at the entrance of the inn. OFFICER GRANT keeps"},
    {"watch by the door. The night is silent and eerie, the kind of night"},
    {"when you wish you had stayed at home."},
}};

constexpr std::array<RoomLine, 5> kCheckInDesk = {{
    {"You are standing before the check in desk. The walls are covered"},
    {"with flyers about missing persons, lost property and local sights."},
    {"Behind the desk stands the INN KEEPER."},
    kEmpty,
    {"You see a TRAIN TICKET pinned to the wall...odd.", &GameState::hasTicket},
}};

constexpr std::array<RoomLine, 2> kWestHallway = {{
    {"The wde halway stretches away so far that it seems to have no end..."},
    {"You take a deep breath and get yourself ready for the work ahead."},
}};

constexpr std::array<RoomLine, 5> kGreensRoom = {{
    {"You are standing in the room of MR. GREEN and his wife, MRS. GREEN."},
    {"Nothing in the room seems to be out of place, but the couple is shaken"},
    {"by what happened tonight."},
    kEmpty,
    {"You see a CHILDS DOLL resting in the corner.", &GameState::hasDoll},
}};

constexpr std::array<RoomLine, 1> kVacantRoom = {{
    {"No one's staying in this room."},
}};

constexpr std::array<RoomLine, 2> kAgedHallway = {{
    {"With everystep you take down this long, old hallway the boards moan and"},
    {"you can't shake the feeling that someone is watching you."},
}};

constexpr std::array<RoomLine, 3> kEerieRoom = {{
    {"You stand in an empty room. That feeling of being watched creeps back to"},
    {"you, stronger now. You wonder how many people checked into this place"},
    {"and never left."},
}};

constexpr std::array<RoomLine, 1> kListeningRoom = {{
    {"You can hear from the next room someone talking to themselves..."},
}};

constexpr std::array<RoomLine, 3> kMiddleHallway = {{
    {"You are standing in the middle of the hallway."},
    kEmpty,
    {"You see the glare of a WEDDING RING resting on the carpet.", &GameState::hasRing},
}};

constexpr std::array<RoomLine, 5> kPistolRoom = {{
    {"You enter the room and notice something that should not be here."},
    kEmpty,
    {"Resting on the pillow is a PISTOL.", &GameState::hasPistol},
    kEmpty,
    {"Beside it is a DRAWING.", &GameState::hasDrawing},
}};

constexpr std::array<RoomLine, 2> kWilsonsRoom = {{
    {"You enter the room of WILSON, and the air is thick with the stench of"},
    {"a man who hasn't washed in a very long time."},
}};

constexpr std::array<RoomLine, 1> kUneasyHallway = {{
    {"There's something about this place that leaves you feeling uneasy."},
}};

constexpr std::array<RoomLine, 4> kMargosRoom = {{
    {"You enter the room of MARGO. She has clearly been here a long time:"},
    {"clothes are piled in a corner, a pot sits on a hot plate, and the"},
    {"letters on the dresser are all addressed to this very room."},
    {"She is no passing guest; this is a long-term resident."},
}};

constexpr std::array<RoomLine, 1> kBareRoom = {{
    {"Nothing... just another bare room."},
}};

constexpr std::array<RoomLine, 1> kHallsEnd = {{
    {"You are standing at the end of the hall."},
}};

constexpr std::array<RoomLine, 1> kSpareRoom = {{
    {"Another empty room. That's no surprise..."},
}};

constexpr std::array<RoomLine, 4> kPhilsRoom = {{
    {"You enter the room of PHIL. Books lie scattered across the desk and the"},
    {"muted television is tuned to an adult channel. PHIL is dressed in the"},
    {"style that was once all the rage in Silicon Valley."},
    kEmpty,
}};

// Indexed by room number; entry 0 is no room.
constexpr std::array<std::span<const RoomLine>, kRoomCount + 1> kBlocks = {
    std::span<const RoomLine>{},
    kParkingLot,
    kInnEntrance,
    kCheckInDesk,
    kWestHallway,
    kGreensRoom,
    kVacantRoom,
    kAgedHallway,
    kEerieRoom,
    kListeningRoom,
    kMiddleHallway,
    kPistolRoom,
    kWilsonsRoom,
    kUneasyHallway,
    kMargosRoom,
    kBareRoom,
    kHallsEnd,
    kSpareRoom,
    kPhilsRoom,
};

}  // namespace

std::span<const RoomLine> RoomBlock(int room) {
  if (room < 1 || room > kRoomCount) return {};
  return kBlocks[room];
}

}  // namespace ashwicket
