#pragma once
// CSerial: the Comtrak port driver. One object owns one serial device (a real port such as
// /dev/ttyUSB0 or a pseudo-terminal). Every blocking call is bounded by a time-out, so no call
// hangs on a silent or unplugged device.
//
// The request/reply exchange `CommandSend` takes the object's exchange mutex; it releases the
// mutex itself when the exchange completed (result 0) and leaves it owned by the calling thread
// after an error, for the caller to release with `ReleaseMutex`.

#include <atomic>
#include <string>
#include <vector>

#include "comtrak/ExchangeMutex.h"

class CSerial {
 public:
  enum EBaudrate : unsigned long {
    EBaud4800 = 4800,
    EBaud9600 = 9600,
    EBaud19200 = 19200,
    EBaud38400 = 38400,
    EBaud57600 = 57600,
    EBaud115200 = 115200,
  };
  enum EDataBits { EData7 = 7, EData8 = 8 };
  enum EParity { EParNone = 0, EParOdd = 1, EParEven = 2 };
  enum EStopBits { EStop1 = 0, EStop2 = 2 };
  // Reads always honour the time-outs given to `Read` and the read timer; the mode is kept
  // for callers that set it.
  enum EReadTimeout { EReadTimeoutBlocking = 0, EReadTimeoutNonblocking = 1 };
  // A drive line has no flow-control wires; 2 (off) is what the program asks for.
  enum EHandshake { EHandshakeHardware = 0, EHandshakeSoftware = 1, EHandshakeOff = 2 };

  enum ErrType : long {
    ErrNone = 0,
    ErrNotOpen = 1,  // no device open
    ErrWrite = 2,    // the request could not be written completely
    ErrTimeout = 3,  // the reply did not arrive (completely) within the read timer
    ErrIo = 4,       // the device reported an error or hung up (unplugged, peer closed)
    ErrArgs = 5,     // a null buffer or a zero length
  };

  static constexpr long kAlreadyOpen = 1247;  // Open on an object that holds its port open
  static constexpr unsigned long kInfinite = 0xFFFFFFFFul;

  struct TcpIpDevice {
    std::string ip;
    std::string mac;
  };

  CSerial();
  CSerial(const CSerial&) = delete;
  CSerial& operator=(const CSerial&) = delete;
  virtual ~CSerial();

  // Opens `device` (a path such as /dev/ttyUSB0; a leading "\\.\" is ignored) for exclusive
  // use at `baud`, 8N1, raw. Returns 0, kAlreadyOpen, or the errno of the failure.
  virtual long Open(const char* device, unsigned long baud, unsigned long readTimerMs,
                    unsigned long inQueue, unsigned long outQueue);
  virtual long Open(const char* device, unsigned long baud, unsigned long inQueue,
                    unsigned long outQueue);
  virtual long Close();

  virtual long Setup(EBaudrate baud, EDataBits data, EParity parity, EStopBits stop);
  virtual long SetupReadTimeouts(EReadTimeout mode);
  virtual long SetupHandshaking(EHandshake handshake);
  // The exchange time-out of CommandSend (plus the time the line needs to carry the expected
  // reply) and the first-byte limit of an "infinite" Read.
  virtual long SetupReadTimer(int baud, int ms);

  // Discards stale input, writes `request`, reads until `expected` bytes arrived or the first
  // byte is a '!' refusal. Never writes more than `expected` bytes into `reply`.
  virtual ErrType CommandSend(unsigned char* request, unsigned long length, unsigned char* reply,
                              unsigned long expected);
  // Releases one level of the exchange mutex held by the calling thread (after an error
  // result of CommandSend). Returns false when the caller does not hold it.
  bool ReleaseMutex();
  // Takes the exchange mutex for a hand-made exchange (Write then Read) that must not
  // interleave with CommandSend from another thread; pair with ReleaseMutex.
  void AcquireMutex() { mutex_.lock(); }
  // True when the calling thread holds the exchange mutex.
  bool MutexOwnedByCaller() const { return mutex_.ownedByCaller(); }

  // Writes all `size` bytes within `timeoutMs`. Returns 0 on success.
  virtual long Write(const void* data, unsigned int size, unsigned long* written = nullptr,
                     void* overlapped = nullptr, unsigned long timeoutMs = kInfinite);
  // Reads up to `size` bytes. Waits for the first byte at most `timeoutMs` (an infinite
  // time-out waits at most the read timer), then ends the frame at an inter-character gap or
  // when the buffer is full. A time-out without data is success with a count of 0; a hang-up
  // or device error is an error.
  virtual long Read(void* data, unsigned int size, unsigned long* received = nullptr,
                    void* overlapped = nullptr, unsigned long timeoutMs = kInfinite);

  virtual std::vector<TcpIpDevice> SearchTcpIp();

  bool IsOpen() const { return fd_.load() >= 0; }
  // Discards everything received and not yet read.
  void PurgeInput();
  const std::string& DeviceName() const { return device_; }
  int ReadTimerMs() const { return readTimerMs_.load(); }
  int InterCharGapMs() const { return gapMs_.load(); }

 protected:
  int Handle() const { return fd_.load(); }

 private:
  long applyLine();
  long readSome(unsigned char* out, unsigned long want, int timeoutMs, unsigned long& got);

  std::atomic<int> fd_{-1};
  std::string device_;
  std::atomic<int> readTimerMs_{500};
  std::atomic<int> gapMs_{20};
  unsigned long baud_ = 19200;
  EDataBits data_ = EData8;
  EParity parity_ = EParNone;
  EStopBits stop_ = EStop1;
  comtrak::ExchangeMutex mutex_;
};
