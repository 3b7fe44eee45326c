// The seven witnesses and the pages of what they say when examined, talked to or asked.
#include "case/conversations.h"

#include <array>

namespace ashwicket {
namespace {

constexpr std::array<Witness, 7> kWitnesses = {{
    {"OFFICER GRANT", 1},
    {"INN KEEPER", 3},
    {"MRS. GREEN", 5},
    {"MR. GREEN", 5},
    {"WILSON", 12},
    {"MARGO", 14},
    {"PHIL", 18},
}};

constexpr const Witness* kGrant = &kWitnesses[0];
constexpr const Witness* kInnKeeper = &kWitnesses[1];
constexpr const Witness* kMrsGreen = &kWitnesses[2];
constexpr const Witness* kMrGreen = &kWitnesses[3];
constexpr const Witness* kWilson = &kWitnesses[4];
constexpr const Witness* kMargo = &kWitnesses[5];
constexpr const Witness* kPhil = &kWitnesses[6];

// OFFICER GRANT, in the parking lot.

constexpr std::array<std::string_view, 2> kExamineGrant = {
    "OFFICER GRANT is a few years from his retirement. His uniform",
    "is freshly pressed, and a look of disgust sits on his face.",
};
constexpr std::array<std::string_view, 2> kExamineGrantHints = {
    "TALK TO OFFICER GRANT",
    "ASK ABOUT VICTIM",
};

constexpr std::array<std::string_view, 5> kTalkToGrant = {
    "It's going to be a hard night, Detective. A few of the guests heard",
    "screams and then a single gunshot, but nobody saw a thing. Apart from",
    "the front door, the only way out of here is the back, and that door",
    "would have set off the alarm. It never went off. If you ask me,",
    "whoever did this is still inside.",
};

constexpr std::array<std::string_view, 7> kGrantOnVictim = {
    "Her name was Claire Whitlow, a young woman from Boston. No next",
    "of kin as far as we know. Why she came out here, I just can't say.",
    "The Inn Keeper placed the call. There are no security cameras in",
    "this dump, so we've got nothing on tape. The other residents are",
    "waiting inside to be questioned. As for her, she's in the freezer",
    "until somebody comes to claim her.",
    "That's all I've got for you, Detective.",
};

// The INN KEEPER, behind the check in desk.

constexpr std::array<std::string_view, 3> kExamineInnKeeper = {
    "The INN KEEPER is an older man in his late forties. His hair",
    "is thinning, and his clothes look as if they were out of date,",
    "even on the day he bought them.",
};
constexpr std::array<std::string_view, 2> kExamineInnKeeperHints = {
    "TALK TO INN KEEPER",
    "ASK ABOUT VICTIM",
};

constexpr std::array<std::string_view, 3> kTalkToInnKeeper = {
    "It was about eight o'clock. I heard a woman scream, and gunshots.",
    "I didn't see anybody. I called the police, then I went to see to",
    "her. Such a shame... she was such a pretty little thing.",
};

constexpr std::array<std::string_view, 3> kInnKeeperOnVictim = {
    "She used to come here a lot, you know. Then, one day, she just stopped",
    "coming, until tonight. She checked in alone. Tell me, Detective...",
    "is whoever did this still here?",
};

// MRS. GREEN and MR. GREEN, in their room.

constexpr std::array<std::string_view, 2> kExamineMrsGreen = {
    "MRS. GREEN is an older woman. She seems somewhat shaken, as",
    "anyone would be after hearing a murder.",
};
constexpr std::array<std::string_view, 2> kExamineMrsGreenHints = {
    "TALK TO MRS. GREEN",
    "WHAT TIME DID YOU HEAR THE GUNSHOTS",
};

constexpr std::array<std::string_view, 2> kTalkToMrsGreen = {
    "My husband and I were reading in bed when it happened. Tomorrow,",
    "we're supposed to be visiting my sister in Ohio.",
};

constexpr std::array<std::string_view, 3> kMrsGreenOnGunshots = {
    "Gunshots? There was only one shot, Detective. Just that one.",
    "Before it I heard a woman screaming at a man. She was",
    "calling him a pervert.",
};

constexpr std::array<std::string_view, 2> kExamineMrGreen = {
    "MR. GREEN seems shaken. You don't want to trouble this couple",
    "for much longer.",
};
constexpr std::array<std::string_view, 1> kExamineMrGreenHints = {
    "TALK TO MR. GREEN",
};

constexpr std::array<std::string_view, 2> kTalkToMrGreen = {
    "It's been a long night. I told that officer outside all I know.",
    "I just want to go home.",
};

// WILSON, in his room.

constexpr std::array<std::string_view, 2> kExamineWilson = {
    "WILSON is a man in his late twenties. He's unwashed, and his",
    "clothes are old and worn out.",
};
constexpr std::array<std::string_view, 2> kExamineWilsonHints = {
    "TALK TO WILSON",
    "IN A TRANCE",
};

constexpr std::array<std::string_view, 5> kTalkToWilson = {
    "I guess you're here about that dead girl. I was asleep, man.",
    "I spent the whole day exploring the countryside and I was",
    "beat. But I'll tell you one thing: that Inn Keeper is a",
    "creep. Every time a woman walks by he goes into some kind",
    "of trance.",
};

constexpr std::array<std::string_view, 2> kWilsonOnTrance = {
    "He just shuts down whenever he sees a pretty woman. I wouldn't",
    "let him anywhere near my girl.",
};

// MARGO, in her room.

constexpr std::array<std::string_view, 3> kExamineMargo = {
    "MARGO is an older woman, close to retirement. A chain smoker,",
    "with brown fingertips and yellow teeth. She's seen her share",
    "of life.",
};
constexpr std::array<std::string_view, 2> kExamineMargoHints = {
    "TALK TO MARGO",
    "WHAT DID YOU SEE",
};

constexpr std::array<std::string_view, 2> kTalkToMargo = {
    "This is about that dead girl, I bet. I told that officer what",
    "I saw, and he told me to wait here.",
};

constexpr std::array<std::string_view, 4> kMargoOnWhatSheSaw = {
    "I heard that woman scream at somebody, calling him a pervert.",
    "Then a man laughing, and more screams. Then a gunshot, and then her",
    "yelling at him to get out. I opened my door and saw a man dressed",
    "in black running down the hallway.",
};
constexpr std::array<std::string_view, 1> kMargoOnWhatSheSawHints = {
    "WHERE DID YOU SEE HIM GO",
};

constexpr std::array<std::string_view, 1> kMargoOnWhereHeWent = {
    "Out the front.",
};

// PHIL, in his room.

constexpr std::array<std::string_view, 2> kExaminePhil = {
    "PHIL looks like he has only just woken up, and like he hasn't",
    "showered in a very long time.",
};
constexpr std::array<std::string_view, 1> kExaminePhilHints = {
    "TALK TO PHIL",
};

constexpr std::array<std::string_view, 2> kTalkToPhil = {
    "Look, I don't know what happened, okay? I don't know anything.",
    "I was reading when it happened.",
};

constexpr std::array<std::string_view, 3> kPhilOnWhatHeHeard = {
    "I heard an argument, and a gunshot, and then a man crying. Then",
    "someone ran down the hallway, then a thud, like he tripped on",
    "something. Then more crying.",
};

// In the order the dispatch tests them.
constexpr std::array<ConversationPage, 21> kPages = {{
    {"EXAMINE OFFICER GRANT", kGrant, kExamineGrant, kExamineGrantHints},
    {"TALK TO OFFICER GRANT", kGrant, kTalkToGrant, {}},
    {"ASK ABOUT VICTIM", kGrant, kGrantOnVictim, {}},
    {"EXAMINE INN KEEPER", kInnKeeper, kExamineInnKeeper, kExamineInnKeeperHints},
    {"TALK TO INN KEEPER", kInnKeeper, kTalkToInnKeeper, {}},
    {"ASK ABOUT VICTIM", kInnKeeper, kInnKeeperOnVictim, {}},
    {"EXAMINE MRS. GREEN", kMrsGreen, kExamineMrsGreen, kExamineMrsGreenHints},
    {"TALK TO MRS. GREEN", kMrsGreen, kTalkToMrsGreen, {}},
    {"WHAT TIME DID YOU HEAR THE GUNSHOTS", kMrsGreen, kMrsGreenOnGunshots, {}},
    {"EXAMINE MR. GREEN", kMrGreen, kExamineMrGreen, kExamineMrGreenHints},
    {"TALK TO MR. GREEN", kMrGreen, kTalkToMrGreen, {}},
    {"EXAMINE WILSON", kWilson, kExamineWilson, kExamineWilsonHints},
    {"TALK TO WILSON", kWilson, kTalkToWilson, {}},
    {"IN A TRANCE", kWilson, kWilsonOnTrance, {}},
    {"EXAMINE MARGO", kMargo, kExamineMargo, kExamineMargoHints},
    {"TALK TO MARGO", kMargo, kTalkToMargo, {}},
    {"WHAT DID YOU SEE", kMargo, kMargoOnWhatSheSaw, kMargoOnWhatSheSawHints},
    {"WHERE DID YOU SEE HIM GO", kMargo, kMargoOnWhereHeWent, {}},
    {"EXAMINE PHIL", kPhil, kExaminePhil, kExaminePhilHints},
    {"TALK TO PHIL", kPhil, kTalkToPhil, {}},
    {"DID YOU HEAR ANYTHING", kPhil, kPhilOnWhatHeHeard, {}},
}};

}  // namespace

std::span<const Witness> Witnesses() {
  return kWitnesses;
}
std::span<const ConversationPage> ConversationPages() {
  return kPages;
}

}  // namespace ashwicket
