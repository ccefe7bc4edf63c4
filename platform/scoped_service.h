// A scoped override of a process-wide service: puts a service in place for the lifetime of the
// object and the one it replaced back when it ends. Every service's Set function has the shape
// `Service* Set(Service*)`, returning the one it replaced, which makes them nest.
#pragma once

template <typename Service, Service* (*Set)(Service*)> class ScopedService
{
  public:
    explicit ScopedService(Service* service) : previous_(Set(service)) {}
    ~ScopedService() { Set(previous_); }
    ScopedService(const ScopedService&) = delete;
    ScopedService& operator=(const ScopedService&) = delete;

  private:
    Service* previous_;
};
