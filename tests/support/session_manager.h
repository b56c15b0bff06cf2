// A stand-in for the desktop's X session manager (XSMP over ICE): programs started with its
// SESSION_MANAGER address register with it, and it asks them to save their state, as a desktop
// does at a checkpoint and at log-out.
#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <memory>

class QSocketNotifier;
struct _IceConn;
struct _IceListenObj;
struct _SmsConn;

namespace zarvo::test {

class SessionManager : public QObject {
  Q_OBJECT
public:
  SessionManager();
  ~SessionManager() override; // closes every connection and stops listening

  // Listens on a local socket; false with the reason in Error() when that fails.
  bool Listen();
  QString Error() const { return error_; }
  // The value of SESSION_MANAGER for the programs that should register here.
  QString Address() const { return address_; }

  // How many clients have registered and are still connected.
  int Clients() const;
  // Asks every registered client to save itself: a local save without interaction, at a
  // checkpoint or, with `shutdown`, as the session ends.
  void SaveYourself(bool shutdown = false);
  // Tells the clients that the session goes on after all (after a SaveYourself with `shutdown`).
  void CancelShutdown();
  // How many SaveYourselfDone answers have come in since the start.
  int SavesDone() const { return savesDone_; }

signals:
  void ClientRegistered();
  void SaveDone();

private:
  struct Client;
  friend struct Callbacks;
  void Accept(_IceListenObj* listener);
  void Process(Client* client);
  void Drop(_SmsConn* conn);
  void Close(std::shared_ptr<Client> client);

  QString error_;
  QString address_;
  int listenerCount_ = 0;
  _IceListenObj** listeners_ = nullptr;
  QList<QSocketNotifier*> listenerNotifiers_; // owned
  QList<std::shared_ptr<Client>> clients_;
  int savesDone_ = 0;
  int nextId_ = 1;
};

} // namespace zarvo::test
