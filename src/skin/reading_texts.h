#pragma once
// The pack's strings of the words a screen reader says that no caption on screen gives.
inline constexpr int kTextReadClose = 52501;     // the image-only close button
inline constexpr int kTextReadPart = 52502;      // "%1, part %2 of %3": one of several edits of a row
inline constexpr int kTextReadSteps = 52503;     // the side panel's list of steps
inline constexpr int kTextReadKindFirst = 52504; // the message box kinds 1-4: error, notice, question, done
inline constexpr int kTextReadSearching = 52508; // a search is running
inline constexpr int kTextReadFoundOne = 52509;  // a search found one camera
inline constexpr int kTextReadFoundMany = 52510; // "%1 cameras found"
inline constexpr int kTextReadFoundNone = 52511; // a search found nothing
inline constexpr int kTextReadSaving = 52512;    // the save's progress box
inline constexpr int kTextReadTimeZone = 52515;  // the time-zone list
inline constexpr int kTextReadHalfDay = 52516;   // the time's AM/PM list
inline constexpr int kTextReadChannel = 52517;   // the wireless channel list
inline constexpr int kTextReadSecurity = 52518;  // the wireless security list
