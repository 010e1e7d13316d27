#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

namespace larkspin {

// A second copy started on a data folder that a window has open brings that window to the front
// before it ends, asking through a local socket named for the folder. The folder's lock alone
// decides which copy works there: the socket only carries the request.

// "larkspin-" and a hash of the folder's canonical path: short and safe whatever the path, and
// the same for every way of naming the folder.
QString FrontRequestName(const QString& folder);

// What the second copy sends, and how long it waits for a copy that is busy.
inline constexpr char kFrontRequest[] = "front\n";
inline constexpr int kFrontRequestWaitMs = 1000;

// The side of the copy that has the window: it listens while it lives and runs `bringToFront` for
// each request.
class FrontRequestServer final : public QObject {
  Q_OBJECT

 public:
  FrontRequestServer(const QString& folder, std::function<void()> bringToFront,
                     QObject* parent = nullptr);
  ~FrontRequestServer() override;

 private:
  void Accept();

  struct Listener;  // the system's side, which differs between systems
  std::unique_ptr<Listener> listener_;
  std::function<void()> bringToFront_;
};

// The second copy's side: whether the request reached a copy listening for the folder (none does
// where the window belongs to another user or another machine, or where a command line holds
// the folder).
bool RequestFront(const QString& folder);

}  // namespace larkspin
