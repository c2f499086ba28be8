#pragma once

// A page's request for something the user must allow: showing notifications, knowing the
// location, the camera or microphone, reading the clipboard. The engine hands one over
// through PageEngine::signalPermissionRequested; whoever holds it answers it once. A request
// that goes unanswered is denied: a page never gets a permission without an answer.

#include <functional>
#include <string>

namespace larkspan {

enum class PermissionKind {
    Notifications,
    Location,
    Camera,
    Microphone,
    CameraAndMicrophone,
    Clipboard,
};

class PermissionRequest {
  public:
    // `respond` is called once, with the answer: by allow() or deny(), or with false when
    // the request goes unanswered.
    PermissionRequest(PermissionKind kind, std::string origin, std::function<void(bool)> respond);
    ~PermissionRequest();
    PermissionRequest(const PermissionRequest&) = delete;
    PermissionRequest& operator=(const PermissionRequest&) = delete;

    PermissionKind kind() const { return kind_; }
    // The site asking, as "host:port" when its address names a port, else its host.
    const std::string& origin() const { return origin_; }
    // Only the first answer counts.
    void allow() { answer(true); }
    void deny() { answer(false); }
    bool answered() const { return !respond_; }

  private:
    void answer(bool allowed);

    PermissionKind kind_;
    std::string origin_;
    std::function<void(bool)> respond_;
};

namespace engine {
// The site an address belongs to, as a permission names it: its host in lower case,
// followed by ":" and the port when the address names one; empty for an address without a
// host (a file, a built-in page). An IPv6 address keeps its brackets.
std::string permissionOrigin(const std::string& address);
}  // namespace engine

}  // namespace larkspan
