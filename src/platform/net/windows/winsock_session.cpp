#include "platform/net/windows/winsock_session.h"

#include <winsock2.h>

namespace winsock {
namespace {

class Session
{
public:
    Session()
    {
        WSADATA data{};
        error_ = WSAStartup(MAKEWORD(2, 2), &data);
    }
    ~Session()
    {
        if (error_ == 0)
            WSACleanup();
    }
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;
    int Error() const { return error_; }

private:
    int error_ = 0;
};

const Session& TheSession()
{
    static const Session session;
    return session;
}

} // namespace

bool Started()
{
    return TheSession().Error() == 0;
}

int StartupError()
{
    return TheSession().Error();
}

} // namespace winsock
