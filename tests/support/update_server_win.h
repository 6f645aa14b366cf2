// The update server of the update tests: a private nginx on the Linux side that serves a
// folder of this build on the host and port of the programs' update base URL. Its
// configuration, pid file, logs and temporary folders all lie under
// build/<preset>/update-server/<name>/; it needs no root rights and is stopped again when
// the object goes. Under Wine a Linux program is started like a Windows one (the loader
// runs it directly), which is how a test started by ctest under Wine gets its own server.
#pragma once

#include <cstdint>
#include <string>

namespace kelvaro::test {

class UpdateServer {
public:
    // `name` keeps the folders of different test programs apart.
    explicit UpdateServer(const std::string& name);
    ~UpdateServer();
    UpdateServer(const UpdateServer&) = delete;
    UpdateServer& operator=(const UpdateServer&) = delete;

    // Starts nginx, first waiting (up to `portWaitMs`) until no other program listens on
    // the port. True once this server answers; else `error()` says why.
    bool Start(int portWaitMs = 180000);
    // Stops it and waits until the port is closed.
    void Stop();
    bool running() const { return running_; }
    const std::string& error() const { return error_; }

    // The host and port of the programs' update base URL; whether that is a loopback
    // address on which a test can serve.
    static std::string Host();
    static uint16_t Port();
    static bool BaseUrlIsLocal();

    // The files under /Kelvaro/.
    void Serve(const std::string& name, const std::string& bytes) const;
    // A file of `size` zero bytes that takes no room on the disk (a sparse file), for a
    // server that sends far more than a client may take.
    void ServeSized(const std::string& name, uint64_t size) const;
    void Withdraw(const std::string& name) const;
    void WithdrawAll() const;
    // The requests the server has logged so far, one line each ("GET /Kelvaro/... 200").
    std::string AccessLog() const;

private:
    bool RunShell(const std::string& script) const;
    bool PortTaken() const;
    bool Answers(const std::string& probeName, const std::string& probeBytes) const;
    bool WaitForPidFile(bool present, int timeoutMs) const;
    void StopStale() const;

    std::string folder_;      // Windows path of the server's folder
    std::string unixFolder_;  // the same for nginx
    std::string nginx_;       // Unix path of the nginx program
    bool running_ = false;
    std::string error_;
};

}  // namespace kelvaro::test
