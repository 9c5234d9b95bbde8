// The completion queries of typing in server mode, on a thread of their own, so that the window
// never waits for the server while the user types. One thread per connected list; it reads
// through the list's own source, which the window's thread shares one read at a time
// (data/SerialisedRows.h).
//
// Only the newest question counts: a question asked while an older one runs supersedes it, and
// an answer to anything but the newest question is dropped. An answer is announced through a
// post box of the window's thread (platform/ThreadPost.h) and taken there; the thread never
// touches a window or the control's rows. Stop ends the thread and waits for it (at most the
// read that runs); nothing is announced after it.
//
// Between questions the thread reads ahead of the open list's scrolling, a page at a time: such
// a read waits in a slot of its own, is begun only when no question waits, and is never what
// the keys wait for (Outstanding, Busy).
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "control/ServerRows.h"
#include "platform/ThreadPost.h"
#include "runtime/Locale.h"

namespace cp {

// Whether the answer to a typed text completes the text, as typing does, or leaves it as typed
// (after a deletion).
enum class Completion { Complete, KeepText };

// What a question asks for: the first row of its text, the table's first rows (for a text that
// stands for no row), or the rows around a row that the list kept by itself.
enum class Asked { TextsRow, TableTop, KeptRow };

// Whether the list shows only the rows the text finds (FilterList): the answer then brings the
// first page of them, and their count follows in an answer of its own.
enum class ListFilter { AllRows, Matches };

class ServerQueries {
public:
    struct Answer {
        std::string text;            // the text asked about
        Completion completion{};     // as asked
        LocatedRow located;          // the first row of text, and where it stands
        std::exception_ptr failure;  // the read failed: reported on the window's thread
        // With ListFilter::Matches: the first rows that the text finds, in order (none in an
        // answer that brings only their count), and their count once known.
        std::optional<std::vector<KeyedRow>> matches;
        std::optional<std::int64_t> matchCount;
        std::optional<FieldSearch> search;  // the search that found the rows; none: the prefix
        Asked asked{};                      // as asked
    };

    // Rows read ahead as asked; failed when the read failed (the list's own read meets the
    // failure and reports it).
    struct AheadAnswer {
        AheadRead asked;
        std::vector<KeyedRow> rows;
        bool failed = false;
    };

    ServerQueries() = default;
    ~ServerQueries() { Stop(); }
    ServerQueries(const ServerQueries&) = delete;
    ServerQueries& operator=(const ServerQueries&) = delete;

    // Starts the thread over source, whose found rows are placed as placing says; each answer
    // is announced through post, a box of the window's thread.
    void Start(std::shared_ptr<KeyedRows> source, Placing placing,
               std::unique_ptr<ThreadPost> post);
    // Ends the thread and waits for it; a question or answer left is dropped.
    void Stop();

    // Asks for the first row of text, in place of every question before it: the first row
    // whose completion field begins with it, or with a search the first row it finds.
    void Ask(const std::string& text, Completion completion,
             std::optional<FieldSearch> search = std::nullopt,
             ListFilter filter = ListFilter::AllRows);
    // Asks for the table's first rows (ServerRows::Top), in place of every question before it:
    // the list shows them while text (emptied, or one that finds no row) stands for no row.
    void AskTop(const std::string& text);
    // Asks for the rows around row, one that the list kept by itself while it showed rows far
    // from it, so that the list can show it again; text is the text that stands for it.
    void AskKept(const std::string& text, KeyedRow row);
    // Drops the newest question: its answer, when it comes, is not taken.
    void Forget();
    // A question is waiting for its answer, or an answer for taking.
    bool Outstanding() const;
    // What the newest question asks for.
    Asked NewestAsked() const;
    // Outstanding, or the rows that the newest text finds are being counted (their count
    // follows as an answer).
    bool Busy() const;
    // Reads a page of rows ahead as asked, in place of a read ahead that has not begun; nothing
    // when the same read is waiting or running, or was the last one answered (its rows were
    // kept, or could not be: a read that meets the table's end is not asked for again and
    // again). False then.
    bool ReadAhead(AheadRead asked);
    // The rows read ahead, once, when they have come.
    std::optional<AheadAnswer> TakeAhead();
    // A read ahead is waiting, running or answered.
    bool ReadingAhead() const;
    // The answer to the newest question, once, when it has come.
    std::optional<Answer> Take();
    // Waits up to bound for the answer to the newest question and takes it; none when none
    // is outstanding or the bound passed.
    std::optional<Answer> Await(std::chrono::milliseconds bound);
    // Waits up to bound until nothing is asked or counted, and takes the answer that came
    // (the count of a filtered list's rows, or the rows of a newer text with theirs); none
    // when none came within bound.
    std::optional<Answer> AwaitCount(std::chrono::milliseconds bound);

private:
    struct Question {
        std::uint64_t serial = 0;
        std::string text;
        Completion completion{};
        std::optional<FieldSearch> search;
        ListFilter filter{};
        Asked asked{};
        std::optional<KeyedRow> kept;  // with Asked::KeptRow
    };

    // The question waits for the thread, in place of every one before it.
    void Put(Question question);
    void Run(LocaleFacts locale);
    static Answer Read(const Question& question, KeyedRows& source, Placing placing);
    // Counts the rows that a filtering question's text finds, after its first rows were
    // announced, unless a newer question came meanwhile; the lock is held on entry and exit.
    void CountMatches(const Question& question, std::unique_lock<std::mutex>& lock);
    // Reads the read ahead that waits; the lock is held on entry and exit.
    void RunAhead(std::unique_lock<std::mutex>& lock);
    // asked is the read ahead waiting, running or last answered; the lock is held.
    bool AheadKnown(const AheadRead& asked) const;

    mutable std::mutex mutex_;
    std::condition_variable changed_;    // a question, an answer or the end
    std::shared_ptr<KeyedRows> source_;  // read by the thread alone while it runs
    Placing placing_ = Placing::Count;   // how the answers place their rows
    std::unique_ptr<ThreadPost> post_;   // announces answers on the window's thread
    std::optional<Question> waiting_;    // asked, not yet begun
    std::optional<Answer> answer_;       // the newest question's, not yet taken
    std::uint64_t newest_ = 0;           // the serial of the newest question
    Asked newestAsked_{};                // what it asks for
    bool open_ = false;                  // the newest question is waiting or running
    bool counting_ = false;              // the newest question's matches are being counted
    bool stopping_ = false;
    std::optional<AheadRead> ahead_;          // asked, not yet begun
    std::optional<AheadRead> aheadRunning_;   // being read
    std::optional<AheadAnswer> aheadAnswer_;  // read, not yet taken
    std::optional<AheadRead> aheadAnswered_;  // the last read answered
    std::thread thread_;
};

}  // namespace cp
