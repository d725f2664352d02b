#include "records/records_writer.h"

#include <utility>

namespace koropika::records {

RecordsWriter::RecordsWriter(MakeStore makeStore) : makeStore_(std::move(makeStore)) {}

RecordsWriter::~RecordsWriter() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    if (thread_.joinable()) {
        thread_.join();  // the thread writes what waits before it ends
    }
}

void RecordsWriter::add(RoundRecord round) {
    {
        const std::lock_guard lock(mutex_);
        waiting_.push_back(std::move(round));
        if (!thread_.joinable()) {
            thread_ = std::thread([this] { run(); });
        }
    }
    changed_.notify_all();
}

void RecordsWriter::flush() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return waiting_.empty() && !writing_; });
}

void RecordsWriter::run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return stopping_ || !waiting_.empty(); });
        if (waiting_.empty()) {
            return;  // stopping, and nothing left to write
        }
        RoundRecord round = std::move(waiting_.front());
        waiting_.pop_front();
        writing_ = true;
        lock.unlock();
        if (!store_) {
            store_ = makeStore_();
        }
        store_->record(round);
        lock.lock();
        writing_ = false;
        changed_.notify_all();
    }
}

}  // namespace koropika::records
