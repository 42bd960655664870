#include "platform/core/socket_errors.h"

// Windows reports these codes itself; only a POSIX system needs them translated.
#include <cerrno>
#include <netdb.h>

int WsaErrorFromErrno(int error)
{
    switch (error) {
    case 0:
        return 0;
    case EINTR:
        return WSAEINTR;
    case EBADF:
        return WSAEBADF;
    case EACCES:
    case EPERM:
        return WSAEACCES;
    case EFAULT:
        return WSAEFAULT;
    case EINVAL:
        return WSAEINVAL;
    case EMFILE:
    case ENFILE:
        return WSAEMFILE;
    case EAGAIN:
        return WSAEWOULDBLOCK;
    case ENOTSOCK:
        return WSAENOTSOCK;
    case EMSGSIZE:
        return WSAEMSGSIZE;
    case EAFNOSUPPORT:
        return WSAEAFNOSUPPORT;
    case EADDRINUSE:
        return WSAEADDRINUSE;
    case EADDRNOTAVAIL:
        return WSAEADDRNOTAVAIL;
    case ENETDOWN:
        return WSAENETDOWN;
    case ENETUNREACH:
        return WSAENETUNREACH;
    case ECONNRESET:
    case ECONNREFUSED:
        return WSAECONNRESET;
    case ENOBUFS:
    case ENOMEM:
        return WSAENOBUFS;
    case ETIMEDOUT:
        return WSAETIMEDOUT;
    case EHOSTDOWN:
        return WSAEHOSTDOWN;
    case EHOSTUNREACH:
        return WSAEHOSTUNREACH;
    default:
        return WSAEINVAL;
    }
}

int WsaErrorFromResolver(int eaiError)
{
    switch (eaiError) {
    case 0:
        return 0;
    case EAI_NONAME:
    case EAI_NODATA:
        return WSAHOST_NOT_FOUND;
    case EAI_AGAIN:
        return 11002; // WSATRY_AGAIN
    case EAI_MEMORY:
        return WSAENOBUFS;
    case EAI_FAMILY:
        return WSAEAFNOSUPPORT;
    case EAI_SYSTEM:
        return WsaErrorFromErrno(errno);
    default:
        return 11003; // WSANO_RECOVERY
    }
}
