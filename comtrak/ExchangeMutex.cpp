#include "comtrak/ExchangeMutex.h"

namespace comtrak {

void ExchangeMutex::lock() {
  std::unique_lock lk(m_);
  const auto me = std::this_thread::get_id();
  freed_.wait(lk, [&] { return depth_ == 0 || owner_ == me; });
  owner_ = me;
  ++depth_;
}

bool ExchangeMutex::tryLockFor(std::chrono::milliseconds timeout) {
  std::unique_lock lk(m_);
  const auto me = std::this_thread::get_id();
  if (!freed_.wait_for(lk, timeout, [&] { return depth_ == 0 || owner_ == me; })) return false;
  owner_ = me;
  ++depth_;
  return true;
}

bool ExchangeMutex::release() {
  std::unique_lock lk(m_);
  if (depth_ == 0 || owner_ != std::this_thread::get_id()) return false;
  if (--depth_ == 0) {
    owner_ = {};
    lk.unlock();
    freed_.notify_one();
  }
  return true;
}

bool ExchangeMutex::ownedByCaller() const {
  std::lock_guard lk(m_);
  return depth_ > 0 && owner_ == std::this_thread::get_id();
}

}  // namespace comtrak
