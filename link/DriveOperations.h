#pragma once
// The drive operations the rest of the program asks for by name once the link is up: one
// register, one parameter, through the drive's indirect access window where needed. Every
// read leaves its result in lastValue() and returns 1 on success, 0 on failure. All of them
// return 0 at once while the link is down.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "comtrak/CSerial.h"
#include "link/LinkFlags.h"

namespace zavo {

class DriveOperations {
 public:
  DriveOperations(CSerial& port, LinkFlags& flags);

  std::int32_t lastValue() const { return lastValue_; }
  LinkFlags& flags() { return flags_; }
  CSerial& port() { return port_; }

  // ---- Registers -------------------------------------------------------------------------
  // Page character and address; the reply is converted for the few registers that carry a
  // scaled value, every other one is kept unsigned.
  int readRegister(int page, int address);
  // Writes a register; with `store` (or page 0) the value first goes through the store
  // window. Page 0 ends after the store.
  int writeRegister(int page, int address, std::int32_t value, bool store);
  // Stores a value in the drive's parameter memory through the window and writes nothing
  // else (the drive takes it at its next start). Only pages '5' and 'C' have a stored copy.
  int storeRegister(int page, int address, std::int32_t value);
  // The linear number of the stored copy of a register; nothing for a page without one.
  static std::optional<int> storedLinear(int page, int address);

  // ---- Parameters by name (display units) ------------------------------------------------
  int readParameter(std::string_view name);
  int writeParameter(std::string_view name, std::int32_t displayValue);
  // A display value, diagnostic word or alarm code (Un.., dn.., AL..): read directly from its
  // register(s), the word taken as signed, converted by its group's rule. These live on
  // pages whose linear numbers overlap parameters', so they are never fetched by number.
  int readDisplayValue(std::string_view code);
  static bool isDisplayCode(std::string_view code);
  // Modbus function 03 / 06 at the parameter's Modbus register.
  int modbusReadParameter(std::string_view name, bool ascii);
  int modbusWriteParameter(std::string_view name, std::int32_t displayValue, bool ascii);

  // ---- Building blocks for the transfers ---------------------------------------------------
  // One page-'5'/any-page write that must be acknowledged; one read that must be valid.
  bool writeAck(int page, int address, std::int32_t value);
  bool readWord(int page, int address, int& word);
  // Fetches the word at `linear` through the window of the current drive type.
  bool fetch(int linear, int& word);
  // Stores `value` at `linear` through the window of `driveType`'s layout: write address,
  // write data, command 1, then the settling pause.
  bool store(int windowType, int linear, std::int32_t value, bool pause = true);
  // The raw value of a parameter's register(s) read directly (32-bit items: two reads).
  bool readParameterDirect(std::string_view name, std::int32_t& raw);
  // The raw value of a parameter fetched through the window (32-bit items: two fetches).
  bool fetchParameter(std::string_view name, std::int32_t& raw);
  // Modbus function 03 of one register; 06 of one value.
  bool modbusRead(int reg, bool ascii, int& word);
  bool modbusWrite(int reg, int value, bool ascii);

  // Parameter raw value <-> display value (signed 16-bit words are sign-extended by the
  // conversion, which knows each parameter's word kind).
  static std::int32_t rawToDisplay(std::string_view name, std::int32_t raw);
  static std::int32_t displayToRaw(std::string_view name, std::int32_t display);

  // While one of these lives, failed by-name transfers report nothing themselves: a caller
  // that transfers a list says once, in its own words, where the list stopped.
  class QuietFailures {
   public:
    explicit QuietFailures(DriveOperations& ops) : ops_(ops), previous_(ops.reportFailures_) { ops.reportFailures_ = false; }
    ~QuietFailures() { ops_.reportFailures_ = previous_; }
    QuietFailures(const QuietFailures&) = delete;
    QuietFailures& operator=(const QuietFailures&) = delete;

   private:
    DriveOperations& ops_;
    bool previous_;
  };

  // The drive's settling time after a window store (30 ms).
  void setPauseMs(int ms) { pauseMs_ = ms; }
  int pauseMs() const { return pauseMs_; }

 private:
  bool linked() const;
  void pause() const;
  int failRead();
  int failPlain();
  int report(const std::string& text);
  int failWrite(std::string_view name);
  bool mergeCn008(std::int32_t& raw);
  // The word written for a register value: a few registers carry scaled values.
  static std::int32_t registerRaw(int page, int address, std::int32_t value);

  CSerial& port_;
  LinkFlags& flags_;
  std::int32_t lastValue_ = 0;
  int pauseMs_ = 30;
  bool reportFailures_ = true;
};

}  // namespace zavo
