#pragma once
// A small HTTP server on 127.0.0.1 for tests of the version request: it answers every request
// with the response the test chose, or accepts the connection and never writes a byte.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>

class LocalHttpServer
{
public:
    LocalHttpServer()
    {
        m_listen = socket(AF_INET, SOCK_STREAM, 0);
        int one = 1;
        setsockopt(m_listen, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        bind(m_listen, reinterpret_cast<sockaddr*>(&address), sizeof address);
        listen(m_listen, 8);
        socklen_t length = sizeof address;
        getsockname(m_listen, reinterpret_cast<sockaddr*>(&address), &length);
        m_port = ntohs(address.sin_port);
        m_thread = std::thread([this] { Serve(); });
    }
    ~LocalHttpServer()
    {
        m_stop = true;
        m_thread.join();
        close(m_listen);
    }

    std::wstring Url() const { return L"http://127.0.0.1:" + std::to_wstring(m_port); }
    void Answer(std::string body, int status = 200)
    {
        std::lock_guard lock(m_mutex);
        m_body = std::move(body);
        m_status = status;
        m_silent = false;
    }
    void StaySilent()
    {
        std::lock_guard lock(m_mutex);
        m_silent = true;
    }
    std::string LastRequest()
    {
        std::lock_guard lock(m_mutex);
        return m_request;
    }

private:
    bool WaitReadable(int fd)
    {
        while (!m_stop) {
            pollfd p{fd, POLLIN, 0};
            if (poll(&p, 1, 20) > 0) return true;
        }
        return false;
    }

    void Serve()
    {
        while (WaitReadable(m_listen)) {
            int client = accept(m_listen, nullptr, nullptr);
            if (client < 0) continue;
            std::string request;
            char buffer[4096];
            while (request.find("\r\n\r\n") == std::string::npos && WaitReadable(client)) {
                ssize_t got = recv(client, buffer, sizeof buffer, 0);
                if (got <= 0) break;
                request.append(buffer, static_cast<size_t>(got));
            }
            std::string body;
            int status;
            bool silent;
            {
                std::lock_guard lock(m_mutex);
                m_request = request;
                body = m_body;
                status = m_status;
                silent = m_silent;
            }
            if (silent) {
                while (!m_stop && WaitReadable(client) && recv(client, buffer, sizeof buffer, 0) > 0) {
                }
            } else {
                std::string response = "HTTP/1.1 " + std::to_string(status) +
                                       " X\r\nContent-Length: " + std::to_string(body.size()) +
                                       "\r\nConnection: close\r\n\r\n" + body;
                size_t sent = 0;
                while (sent < response.size()) {
                    ssize_t n = send(client, response.data() + sent, response.size() - sent, MSG_NOSIGNAL);
                    if (n <= 0) break; // the client stopped reading
                    sent += static_cast<size_t>(n);
                }
            }
            close(client);
        }
    }

    int m_listen = -1;
    int m_port = 0;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
    std::mutex m_mutex;
    std::string m_body;
    std::string m_request;
    int m_status = 200;
    bool m_silent = false;
};
