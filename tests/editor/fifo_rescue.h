// For tests of commands that must never open a FIFO: if the command under
// test waits for a writer anyway, the rescue opens the FIFO for writing after
// a while and closes it, so that the command reads an empty file and the
// test fails on what it shows instead of hanging for good.
#pragma once

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

class FifoRescue {
public:
    explicit FifoRescue(std::string path)
        : path_(std::move(path)), thread_([this] {
              const auto start = std::chrono::steady_clock::now();
              while (!done_) {
                  std::this_thread::sleep_for(std::chrono::milliseconds(20));
                  if (std::chrono::steady_clock::now() - start < std::chrono::seconds(2))
                      continue;
                  // Succeeds only while a reader waits in its open.
                  const int fd = open(path_.c_str(), O_WRONLY | O_NONBLOCK);
                  if (fd >= 0)
                      close(fd);
              }
          })
    {
    }
    ~FifoRescue()
    {
        done_ = true;
        thread_.join();
    }
    FifoRescue(const FifoRescue&) = delete;
    FifoRescue& operator=(const FifoRescue&) = delete;

private:
    std::string path_;
    std::atomic<bool> done_{false};
    std::thread thread_;
};
