#pragma once
// Turns SIGTERM, SIGINT and SIGHUP (a desktop session logging out, Ctrl+C in a terminal, a
// closed terminal) into a Qt signal on the user-interface thread, so that the program can
// close the way its Exit item does: link closed, settings written. The handler only writes
// a byte to a socket; everything else runs from the event loop.
#include <QObject>
#include <QSocketNotifier>
#include <memory>

namespace rizazovoz {

class QuitSignals final : public QObject {
  Q_OBJECT

 public:
  // One at a time; the previous handlers come back when it is destroyed.
  explicit QuitSignals(QObject* parent = nullptr);
  ~QuitSignals() override;

 signals:
  void received(int signalNumber);

 private:
  void Drain();

  int fds_[2] = {-1, -1};
  std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace rizazovoz
