#pragma once

#include <QThread>
#include <functional>

// The download thread of the update window: runs one job and ends. The job touches no
// window; it hands its results to the GUI thread itself.
class Thread_ZipDL : public QThread {
  public:
    explicit Thread_ZipDL(std::function<void()> job) : job_(std::move(job)) {}

  protected:
    void run() override { job_(); }

  private:
    std::function<void()> job_;
};
