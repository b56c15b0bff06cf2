#include "tests/support/session_manager.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <X11/ICE/ICElib.h>
#include <X11/SM/SMlib.h>

#include <csignal>
#include <cstdlib>

namespace zarvo::test {

struct SessionManager::Client {
  IceConn ice = nullptr;
  SmsConn sms = nullptr;
  bool registered = false;
  QSocketNotifier* notifier = nullptr; // deleted later: it may be the one that is reporting
};

// The callbacks libSM calls with the manager as their data.
struct Callbacks {
  static SessionManager* Manager(SmPointer data) { return static_cast<SessionManager*>(data); }

  static Status NewClient(SmsConn conn, SmPointer data, unsigned long* mask, SmsCallbacks* cb, char**) {
    *mask = SmsRegisterClientProcMask | SmsInteractRequestProcMask | SmsInteractDoneProcMask |
            SmsSaveYourselfRequestProcMask | SmsSaveYourselfP2RequestProcMask | SmsSaveYourselfDoneProcMask |
            SmsCloseConnectionProcMask | SmsSetPropertiesProcMask | SmsDeletePropertiesProcMask |
            SmsGetPropertiesProcMask;
    cb->register_client = {RegisterClient, data};
    cb->interact_request = {InteractRequest, data};
    cb->interact_done = {InteractDone, data};
    cb->save_yourself_request = {SaveYourselfRequest, data};
    cb->save_yourself_phase2_request = {Phase2Request, data};
    cb->save_yourself_done = {SaveYourselfDone, data};
    cb->close_connection = {CloseConnection, data};
    cb->set_properties = {SetProperties, data};
    cb->delete_properties = {DeleteProperties, data};
    cb->get_properties = {GetProperties, data};
    SessionManager* sm = Manager(data);
    for (const auto& c : sm->clients_)
      if (c->ice == SmsGetIceConnection(conn))
        c->sms = conn;
    return 1;
  }

  static Status RegisterClient(SmsConn conn, SmPointer data, char* previousId) {
    SessionManager* sm = Manager(data);
    if (previousId)
      std::free(previousId);
    const QByteArray id = "1zarvo-test-" + QByteArray::number(sm->nextId_++);
    SmsRegisterClientReply(conn, const_cast<char*>(id.constData()));
    for (const auto& c : sm->clients_)
      if (c->sms == conn)
        c->registered = true;
    // A new client is asked to save itself once, as the protocol wants.
    SmsSaveYourself(conn, SmSaveLocal, False, SmInteractStyleNone, False);
    emit sm->ClientRegistered();
    return 1;
  }

  static void InteractRequest(SmsConn conn, SmPointer, int) { SmsInteract(conn); }
  static void InteractDone(SmsConn, SmPointer, Bool) {}
  static void SaveYourselfRequest(SmsConn conn, SmPointer, int, Bool, int, Bool, Bool) {
    SmsSaveYourself(conn, SmSaveLocal, False, SmInteractStyleNone, False);
  }
  static void Phase2Request(SmsConn conn, SmPointer) { SmsSaveYourselfPhase2(conn); }
  static void SaveYourselfDone(SmsConn conn, SmPointer data, Bool) {
    SmsSaveComplete(conn);
    SessionManager* sm = Manager(data);
    ++sm->savesDone_;
    emit sm->SaveDone();
  }
  static void CloseConnection(SmsConn conn, SmPointer data, int count, char** reasons) {
    SmFreeReasons(count, reasons);
    Manager(data)->Drop(conn);
  }
  static void SetProperties(SmsConn, SmPointer, int count, SmProp** props) {
    for (int i = 0; i < count; ++i)
      SmFreeProperty(props[i]);
    std::free(props);
  }
  static void DeleteProperties(SmsConn, SmPointer, int count, char** names) {
    for (int i = 0; i < count; ++i)
      std::free(names[i]);
    std::free(names);
  }
  static void GetProperties(SmsConn conn, SmPointer) { SmsReturnProperties(conn, 0, nullptr); }

  // Connections from this machine need no cookie.
  static Bool AnyHost(char*) { return True; }
};

SessionManager::SessionManager() = default;

SessionManager::~SessionManager() {
  while (!clients_.isEmpty())
    Close(clients_.constFirst());
  qDeleteAll(listenerNotifiers_);
  if (listeners_)
    IceFreeListenObjs(listenerCount_, listeners_);
}

bool SessionManager::Listen() {
  // A client that was killed leaves a broken connection: libICE's default handler would end the
  // test for it, and writing to it would raise SIGPIPE. The broken connection is closed instead.
  IceSetIOErrorHandler([](IceConn) {});
  std::signal(SIGPIPE, SIG_IGN);
  char error[256] = {};
  if (!SmsInitialize(const_cast<char*>("zarvo-test"), const_cast<char*>("1"), Callbacks::NewClient, this,
                     Callbacks::AnyHost, sizeof error, error)) {
    error_ = QString::fromLocal8Bit(error);
    return false;
  }
  if (!IceListenForConnections(&listenerCount_, &listeners_, sizeof error, error)) {
    error_ = QString::fromLocal8Bit(error);
    return false;
  }
  QStringList local;
  for (int i = 0; i < listenerCount_; ++i) {
    IceSetHostBasedAuthProc(listeners_[i], Callbacks::AnyHost);
    char* id = IceGetListenConnectionString(listeners_[i]);
    const QString address = QString::fromLocal8Bit(id);
    std::free(id);
    // Only the local socket: nothing reaches the test's manager over the network.
    if (!address.startsWith(QStringLiteral("local/")))
      continue;
    local << address;
    auto* n = new QSocketNotifier(IceGetListenConnectionNumber(listeners_[i]), QSocketNotifier::Read);
    IceListenObj listener = listeners_[i];
    connect(n, &QSocketNotifier::activated, this, [this, listener] { Accept(listener); });
    listenerNotifiers_ << n;
  }
  if (local.isEmpty()) {
    error_ = QStringLiteral("no local ICE socket");
    return false;
  }
  address_ = local.join(QLatin1Char(','));
  return true;
}

void SessionManager::Accept(_IceListenObj* listener) {
  IceAcceptStatus status;
  IceConn ice = IceAcceptConnection(listener, &status);
  if (!ice || status != IceAcceptSuccess)
    return;
  auto client = std::make_shared<Client>();
  client->ice = ice;
  client->notifier = new QSocketNotifier(IceConnectionNumber(ice), QSocketNotifier::Read, this);
  Client* raw = client.get();
  connect(client->notifier, &QSocketNotifier::activated, this, [this, raw] { Process(raw); });
  clients_ << client;
}

void SessionManager::Process(Client* client) {
  const std::shared_ptr<Client> keep = [&] {
    for (const auto& c : clients_)
      if (c.get() == client)
        return c;
    return std::shared_ptr<Client>();
  }();
  if (!keep)
    return;
  // An error: the client went away without a word (a crash, a kill).
  if (IceProcessMessages(keep->ice, nullptr, nullptr) == IceProcessMessagesIOError && clients_.contains(keep))
    Close(keep);
}

void SessionManager::Drop(_SmsConn* conn) {
  for (const auto& c : clients_)
    if (c->sms == conn) {
      Close(c);
      return;
    }
}

void SessionManager::Close(std::shared_ptr<Client> client) {
  clients_.removeOne(client);
  client->notifier->setEnabled(false);
  client->notifier->deleteLater();
  if (client->sms)
    SmsCleanUp(client->sms);
  IceSetShutdownNegotiation(client->ice, False);
  IceCloseConnection(client->ice);
}

int SessionManager::Clients() const {
  int n = 0;
  for (const auto& c : clients_)
    n += c->registered;
  return n;
}

void SessionManager::SaveYourself(bool shutdown) {
  for (const auto& c : clients_)
    if (c->registered)
      SmsSaveYourself(c->sms, SmSaveBoth, shutdown ? True : False, SmInteractStyleNone, False);
}

void SessionManager::CancelShutdown() {
  for (const auto& c : clients_)
    if (c->registered)
      SmsShutdownCancelled(c->sms);
}

} // namespace zarvo::test
