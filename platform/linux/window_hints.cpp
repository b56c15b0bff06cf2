// On X11 the requests are properties of the window, set before it is mapped: _NET_WM_STATE, which Qt
// merges its own states into when it maps the window, and the initial state in WM_HINTS.
#include "platform/window_hints.h"

#include <QGuiApplication>
#include <QWindow>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <memory>

namespace zarvo {

namespace {

struct FreeReply {
  void operator()(void* reply) const { std::free(reply); }
};

// The atoms of the taskbar requests. They are interned once, in one round trip: an atom stays the
// same for the X server's lifetime, and the program has one connection.
struct StateAtoms {
  xcb_atom_t state = XCB_ATOM_NONE;
  xcb_atom_t skipTaskbar = XCB_ATOM_NONE;
  xcb_atom_t skipPager = XCB_ATOM_NONE;
};

const StateAtoms& Atoms(xcb_connection_t* c) {
  static const StateAtoms atoms = [c] {
    const char* const names[] = {"_NET_WM_STATE", "_NET_WM_STATE_SKIP_TASKBAR", "_NET_WM_STATE_SKIP_PAGER"};
    xcb_intern_atom_cookie_t cookies[3];
    for (int i = 0; i < 3; ++i)
      cookies[i] = xcb_intern_atom(c, 0, static_cast<uint16_t>(strlen(names[i])), names[i]);
    xcb_atom_t values[3];
    for (int i = 0; i < 3; ++i) {
      const std::unique_ptr<xcb_intern_atom_reply_t, FreeReply> reply(
          xcb_intern_atom_reply(c, cookies[i], nullptr));
      values[i] = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    }
    return StateAtoms{values[0], values[1], values[2]};
  }();
  return atoms;
}

// The X connection, or null where no X server is used (the tests' offscreen platform).
xcb_connection_t* Connection() {
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  return x11 ? x11->connection() : nullptr;
}

// The 32-bit values of a window's property, empty when it has none of `type`.
QList<uint32_t> Values(xcb_connection_t* c, xcb_window_t id, xcb_atom_t property, xcb_atom_t type) {
  const xcb_get_property_cookie_t cookie = xcb_get_property(c, 0, id, property, type, 0, 1024);
  const std::unique_ptr<xcb_get_property_reply_t, FreeReply> reply(
      xcb_get_property_reply(c, cookie, nullptr));
  if (!reply || reply->format != 32 || reply->type != type)
    return {};
  const auto* values = static_cast<const uint32_t*>(xcb_get_property_value(reply.get()));
  return QList<uint32_t>(values, values + xcb_get_property_value_length(reply.get()) / int(sizeof(uint32_t)));
}

void SetValues(xcb_connection_t* c, xcb_window_t id, xcb_atom_t property, xcb_atom_t type,
               const QList<uint32_t>& values) {
  xcb_change_property(c, XCB_PROP_MODE_REPLACE, id, property, type, 32, static_cast<uint32_t>(values.size()),
                      values.constData());
  xcb_flush(c);
}

} // namespace

void KeepOffTaskbar(QWindow* window) {
  xcb_connection_t* c = Connection();
  if (!c || !window)
    return;
  const auto id = static_cast<xcb_window_t>(window->winId());
  const StateAtoms& atom = Atoms(c);
  const xcb_atom_t wanted[] = {atom.skipTaskbar, atom.skipPager};
  if (atom.state == XCB_ATOM_NONE)
    return;
  // Keep what is there (Qt's own states, should it have written some already).
  QList<uint32_t> atoms = Values(c, id, atom.state, XCB_ATOM_ATOM);
  bool changed = false;
  for (const xcb_atom_t a : wanted)
    if (a != XCB_ATOM_NONE && !atoms.contains(a)) {
      atoms.append(a);
      changed = true;
    }
  if (changed)
    SetValues(c, id, atom.state, XCB_ATOM_ATOM, atoms);
}

void KeepWith(QWindow* window, QWindow* leader) {
  xcb_connection_t* c = Connection();
  if (!c || !window || !leader)
    return;
  const auto id = static_cast<xcb_window_t>(window->winId());
  const auto owner = static_cast<xcb_window_t>(leader->winId());
  xcb_change_property(c, XCB_PROP_MODE_REPLACE, id, XCB_ATOM_WM_TRANSIENT_FOR, XCB_ATOM_WINDOW, 32, 1,
                      &owner);

  // Some window managers (Mutter) weigh the taskbar request only together with the leader: it is
  // made again, the way it is made for a window on the screen.
  xcb_client_message_event_t message{};
  message.response_type = XCB_CLIENT_MESSAGE;
  message.format = 32;
  message.window = id;
  const StateAtoms& atom = Atoms(c);
  message.type = atom.state;
  message.data.data32[0] = 1; // add
  message.data.data32[1] = atom.skipTaskbar;
  message.data.data32[2] = atom.skipPager;
  message.data.data32[3] = 1; // from an application
  const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
  xcb_send_event(c, 0, root, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                 reinterpret_cast<const char*>(&message));
  xcb_flush(c);
}

void StartNotMinimised(QWindow* window) {
  xcb_connection_t* c = Connection();
  if (!c || !window || window->handle() == nullptr)
    return;
  const auto id = static_cast<xcb_window_t>(window->winId());

  // WM_HINTS is nine 32-bit fields: flags, input, initial state, then icon and group fields.
  constexpr uint32_t kStateHint = 1u << 1;
  constexpr uint32_t kNormal = 1;
  constexpr uint32_t kIconic = 3;
  QList<uint32_t> hints = Values(c, id, XCB_ATOM_WM_HINTS, XCB_ATOM_WM_HINTS);
  if (hints.size() >= 3 && (hints[0] & kStateHint) != 0 && hints[2] == kIconic) {
    hints[2] = kNormal;
    SetValues(c, id, XCB_ATOM_WM_HINTS, XCB_ATOM_WM_HINTS, hints);
  }
}

} // namespace zarvo
