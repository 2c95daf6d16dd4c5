// What a fake facility shares: the list of calls it saw and the calls it was
// told to fail. A test says "the 2nd CreateFileW fails with 32"; the fake asks
// `shouldFail("CreateFileW")` on each call, which records the call and, when
// it is the planned one, sets the thread's last error and answers true.
#pragma once

#include <windows.h>

#include <map>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

namespace fakes {

class CallScript {
  public:
    // Makes the `occurrence`-th call of `call` (counting from 1) fail with
    // `lastError`. Several failures of one call may be planned.
    void failCall(const std::string& call, DWORD lastError, int occurrence = 1) {
        std::lock_guard<std::mutex> lock(mutex_);
        planned_[{call, occurrence}] = lastError;
    }

    // Makes every call of `call` fail with `lastError`.
    void failAlways(const std::string& call, DWORD lastError) {
        std::lock_guard<std::mutex> lock(mutex_);
        always_[call] = lastError;
    }

    bool shouldFail(const std::string& call) {
        std::lock_guard<std::mutex> lock(mutex_);
        calls_.push_back(call);
        const int occurrence = ++counts_[call];
        auto always = always_.find(call);
        if (always != always_.end()) {
            ::SetLastError(always->second);
            return true;
        }
        auto planned = planned_.find({call, occurrence});
        if (planned == planned_.end()) return false;
        ::SetLastError(planned->second);
        return true;
    }

    std::vector<std::string> calls() const {
        std::lock_guard<std::mutex> lock(mutex_);
        return calls_;
    }

    int count(const std::string& call) const {
        std::lock_guard<std::mutex> lock(mutex_);
        auto found = counts_.find(call);
        return found == counts_.end() ? 0 : found->second;
    }

  private:
    mutable std::mutex mutex_;
    std::vector<std::string> calls_;
    std::map<std::string, int> counts_;
    std::map<std::pair<std::string, int>, DWORD> planned_;
    std::map<std::string, DWORD> always_;
};

}  // namespace fakes
