#pragma once
// What the system's print service says of the queue a report goes to. The
// toolkit hands a job to the queue and never says whether the queue took it:
// a queue that turns jobs away, or a stopped one that would keep the report
// waiting unseen, looks to it like a printed report.
#include <QString>
#include <string>

namespace orvik {

class SystemPrintQueue {
public:
    // `printerName` as the toolkit names the printer.
    explicit SystemPrintQueue(QString printerName);

    // Why a job handed over now would not be printed (the queue is stopped,
    // with the reason it gives), as code-page text; empty when it prints or
    // the print service cannot tell.
    std::string whyStopped();

    // Notes the jobs the queue already holds; call just before the toolkit
    // hands the job over.
    void noteJobs();

    // Call right after the toolkit has handed over the job `title` (before
    // anything else asks the print service): empty when the queue took it,
    // else why not, in the print service's own words where it gives any,
    // with the reason the queue gives for turning jobs away.
    std::string whyNotTaken(const QString& title) const;

private:
    QString printerName_;
    QByteArray printerUri_; // as whyStopped found it
    bool jobsNoted_ = false;
    int newestJob_ = 0;
};

} // namespace orvik
