#pragma once
// Where the program keeps its per-user settings.
namespace orvik::settingskeys {

inline constexpr const char* kApplication = "Norvala Oy";
inline constexpr const char* kOwnSection = "Orvik";
// Written by another program of the shop system; only ever read here.
inline constexpr const char* kFallbackSection = "Asiakas";

inline constexpr const char* kReaderDir = "MyDocuments";
inline constexpr const char* kWorkDir = "DatPolku";
inline constexpr const char* kTransferDir = "InvPolku";
inline constexpr const char* kStockDir = "Datat";
inline constexpr const char* kPort = "Portti";
// "lukija" (in any case) shows the reader buttons, the port and the task row.
inline constexpr const char* kMode = "Tila";
inline constexpr const char* kReaderModeValue = "lukija";

} // namespace orvik::settingskeys
