// The records writer: keeps rounds in the records store on a thread of its own, so that ending
// a round never waits for the disk. No toolkit.
#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

#include "records/records_store.h"
#include "records/round_record.h"

namespace koropika::records {

// Rounds handed to `add` wait in a queue that one background thread writes to the store, in
// order. The thread and the store are made at the first round, so a run that ends no round
// never opens the database. A store that fails only loses that round (the store logs it).
// Destroying the writer writes every round still waiting, then ends the thread.
class RecordsWriter {
  public:
    using MakeStore = std::function<std::unique_ptr<RecordsStore>()>;

    // `makeStore` is called once, on the writer's thread, before the first round is written.
    explicit RecordsWriter(MakeStore makeStore);
    ~RecordsWriter();
    // The thread holds `this`.
    RecordsWriter(const RecordsWriter&) = delete;
    RecordsWriter& operator=(const RecordsWriter&) = delete;

    // Queues one round and returns at once.
    void add(RoundRecord round);
    // Returns once every round added so far has been written (or failed).
    void flush();

  private:
    void run();

    MakeStore makeStore_;
    std::unique_ptr<RecordsStore> store_;  // the thread's alone
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<RoundRecord> waiting_;
    bool writing_ = false;
    bool stopping_ = false;
    std::thread thread_;
};

}  // namespace koropika::records
