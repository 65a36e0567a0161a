#pragma once
// The parameter catalogue: the one authority on every parameter of every drive type.
//
// Every lookup takes the parameter code as its key ("Cn001", "Pn401", "Hn601", "ECA05", "Un06"...)
// and answers for the current drive type of driveContext() unless a type is passed. Nothing
// here fails: an unknown code yields 0, an empty string or -1 as each function states.
//
// The answers come from one table row per parameter code and drive-type variant (the
// CatalogueData*.cpp files); a wrong limit or register is fixed in its row, not in code.
//
// Naming of the same parameter differs by family: the quick and contact groups are called
// qn4nn / Hn5nn on drive types 0 and 1 and qn5nn / Hn6nn on types 2-4. Lookups accept both
// spellings on every type; codeOf() and the enumeration produce the spelling of the type.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "params/document/ParameterImages.h"

namespace zavo::catalogue {

// ---- Attribute word --------------------------------------------------------------------------

inline constexpr std::uint32_t kEditorKindMask = 0x00007;  // online editor kind: 7, 3, 2 or other
inline constexpr std::uint32_t kSpecialTextBit = 0x00001;  // alone: value 0 has a special text (Cn005)
inline constexpr std::uint32_t kFormatMask = 0x000F0;      // display format, see formatOf()
inline constexpr std::uint32_t kHexDigitsBit = 0x00020;    // hexadecimal, edited digit by digit
inline constexpr std::uint32_t kExistsOnType1 = 0x01000;
inline constexpr std::uint32_t kExistsOnType2 = 0x02000;
inline constexpr std::uint32_t kExistsOnType3 = 0x04000;
inline constexpr std::uint32_t kExistsOnType0 = 0x08000;
inline constexpr std::uint32_t kExistsOnType4 = 0x10000;

inline constexpr int kDriveTypeCount = 5;

// The existence bit of `driveType` (0 for a type outside 0-4).
std::uint32_t existenceBit(int driveType);
// printf format of an attribute word: "%d", "%X", "%02d", "%02X", "%03d", "%03X", "%04d", "%04X".
const char* formatOf(std::uint32_t attributes);
int editorKind(std::uint32_t attributes);

// Attribute word of `code` (0: the code names no parameter). Cn005 answers for the drive type
// the launcher chose, as its existence follows the installed drive rather than an opened file.
std::uint32_t attributes(std::string_view code);
std::uint32_t attributes(std::string_view code, int driveType);
// True when the existence bit of the type is set: only such parameters are listed, printed,
// compared and transferred.
bool exists(std::string_view code);
bool exists(std::string_view code, int driveType);

// ---- Names -----------------------------------------------------------------------------------

// Parameter id: group base + number (Cn 0, Tn 100, Sn 200, Pn 300/400, qn 500, Hn 600, Un 1000,
// dn 1100, AL 1200, ECA 1300, OnT..OnA 1500-1900, OnE 2000). A code shorter than 5 characters
// gives -1 (so the four-character monitor names Un01/dn01/AL01 have no id); an unknown prefix 0.
int idOf(std::string_view code);
// Code of an id in the spelling of the drive type; "" for an id outside every group.
std::string codeOf(int id);
std::string codeOf(int id, int driveType);
// First character of the code ('\0' for an empty code).
char groupLetter(std::string_view code);

// ---- Texts -----------------------------------------------------------------------------------

// Title from the active text table ("" for an unknown code or a missing text).
std::string titleOf(std::string_view code);
// String id of the title (0 for none); formatted titles take titleArgument() as their %d.
int titleIdOf(std::string_view code);
int titleArgument(std::string_view code);
// Unit text; for Cn005 the division class of the current encoder resolution.
std::string unitOf(std::string_view code);
// The value formatted by the attribute word; with `specialText`, value 0 of the Cn005 family
// reads "Encoder pulse per rotation".
std::string valueText(std::string_view code, std::int32_t value, bool specialText = false);
// "min~max" in the value format, or "" when min equals max.
std::string rangeText(std::string_view code, std::int32_t min, std::int32_t max);

// ---- Registers -------------------------------------------------------------------------------

// Register code: page character in the high byte, index in the low byte; 0 = not transferred.
// `letter` is the group letter, `number` the last two digits, `id` the parameter id (which
// tells apart groups sharing a letter; pass 0 to decide by letter and number alone).
std::uint16_t addressCode(char letter, int number, int id);
std::uint16_t addressCode(std::string_view code);
// Word address of a register code on the link: index + 0 (page '5'/0x05), + 256 (page
// 'C'/0x0C), + 512 (any other page).
int linearNumber(std::uint16_t registerCode);
// Word address of a parameter's register; -1 when the parameter is not transferred.
int wordAddress(std::string_view code);
// Page character to send for a parameter of page 'C': 'C' for Sn and ECA and on drive types
// 2 and 4, '5' otherwise; other pages are sent as they stand.
char transferPage(std::string_view code);

// 32-bit items: the low word at the item's register, the high word at a second register.
bool is32Bit(std::string_view code);
std::uint16_t highWordCode(std::string_view code);  // 0 for a 16-bit item
int highWordAddress(std::string_view code);          // -1 for a 16-bit item

// The two register numbers of the multi-write that follows storing a 32-bit parameter (low
// word, high word), as page digit + address ("C08" -> 0xC08). `low` is 0 on drive types other
// than 2 and 3, both 0 for a 16-bit item.
struct DirectWritePair {
  std::uint16_t low = 0;
  std::uint16_t high = 0;
};
DirectWritePair directWritePair(std::string_view code);

// Modbus register: group base ('C' 0x000, 'T' 0x100, 'S' 0x200, 'P' 0x300, 'q' 0x400,
// 'H' 0x500, 'U' 0x600) + parameter number (for Pn the id - 300, so Pn401 is 0x365); -1 for
// every other group.
int modbusRegister(char letter, int number, int id = 0);
int modbusRegister(std::string_view code);

// How an item's raw value is carried, for the conversions: a 16-bit word that is signed
// because the parameter can be negative (its minimum is below 0), an unsigned 16-bit word, a
// 32-bit value in two words, or Unknown for an item the catalogue does not hold. `letter`,
// `number` and `id` as for addressCode().
enum class WordKind { Unknown, Unsigned, Signed, Wide };
WordKind wordKind(char letter, int number, int id);

// Parameters the drive takes only after a restart: stored through the window, never written
// directly.
bool storeOnly(std::string_view code);
bool storeOnly(std::string_view code, int driveType);

// (The indirect access window's addresses are protocol facts: link/Protocol.h, windowOf().)

// ---- Parameter Set editor: control-mode masks ------------------------------------------------

inline constexpr std::uint32_t kModeExternalPulse = 0x00001;
inline constexpr std::uint32_t kModeInternalPosition = 0x00010;
inline constexpr std::uint32_t kModeSpeed = 0x00100;
inline constexpr std::uint32_t kModeTorque = 0x01000;
inline constexpr std::uint32_t kModePt = 0x10000;
inline constexpr std::uint32_t kModeAll = 0x11111;
// Control modes a parameter belongs to (0 for an unknown code).
std::uint32_t controlModeMask(std::string_view code);
std::uint32_t controlModeMask(std::string_view code, int driveType);

// ---- DI/DO function mnemonics ----------------------------------------------------------------

// "SON", "ALRS", ... ; "Null" for an index outside the table.
std::string_view diName(int index);
// "RDY", "ALM", ... ; "" for an index outside the table.
std::string_view doName(int index);

// ---- Document images -------------------------------------------------------------------------

// Limits and default of one parameter for the current drive type and motor data, as
// fillLimits and fillDefaults write them (false and all 0 for an unknown code). Also answers
// for items without a document slot (OnE, monitor items).
struct Limits {
  std::int32_t min = 0;
  std::int32_t max = 0;
  std::int32_t def = 0;
};
bool limitsOf(std::string_view code, Limits& out);

// Write the minimum and maximum images for the current drive type and motor data.
void fillLimits(ParameterImages& images);
// Write the default images for the current drive type and motor data (working values are
// the document's business).
void fillDefaults(ParameterImages& images);

// ---- Enumeration -----------------------------------------------------------------------------

struct Entry {
  std::string code;   // spelled for the drive type
  ParamGroup group;   // the document group holding it
  int slot;           // its slot number in that group (1..slots)
  int id;             // parameter id (1500+ for the extended groups)
};
// Every parameter that exists on `driveType`, in list order: Cn, Tn, Sn, Pn3, Pn4, qn, Hn,
// tn, ECA, OnT, OnS, Ond, OnC, OnA; by number within a group. Cn005 is listed when the word of
// the launcher's drive type says so, as for exists(code).
const std::vector<Entry>& parameters(int driveType);
// Group and slot of a code (false when the code has no document slot).
bool slotOf(std::string_view code, ParamGroup& group, int& slot);
// Prefix of a document group as it is printed ("Cn", "Pn3", "ECA", ...).
std::string_view groupName(ParamGroup group);

}  // namespace zavo::catalogue
