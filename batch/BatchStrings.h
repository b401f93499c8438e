#pragma once

// The batch tool's texts in the language database, by number.
namespace BatchString {

inline constexpr int Usage = 1420;
inline constexpr int UnknownOption = 1422;
inline constexpr int UnknownFace = 1424;
inline constexpr int OutOfRange = 1426;
inline constexpr int OutputIsInput = 1428;
inline constexpr int UnknownLanguage = 1430;
inline constexpr int SetUnreadable = 1432;
inline constexpr int FaceHasNoPicture = 1434;
inline constexpr int OutputNotWritten = 1436;
inline constexpr int OneSetOneOutput = 1438;
inline constexpr int NotACoverSet = 1484;
inline constexpr int PageTooLarge = 1486;
inline constexpr int TextCut = 1488;
inline constexpr int NoSuchLabelSheet = 1578;
inline constexpr int SheetNeedsRoundCd = 1580;
inline constexpr int BadPositions = 1576;
inline constexpr int PositionsWithoutSheet = 1584;
inline constexpr int MalformedLabelSheets = 1572;

} // namespace BatchString
