#pragma once

#include "Assets/Submesh.h"

#include <memory>
#include <new>
#include <utility>
#include <vector>

/// Leaves new elements uninitialised on resize, so arrays that are filled at
/// once (from the cache file, by flattening) are not zeroed first.
template <typename T, typename Base = std::allocator<T>>
class NoInitAllocator : public Base
{
    using Traits = std::allocator_traits<Base>;

public:
    template <typename U>
    struct rebind
    {
        using other = NoInitAllocator<U, typename Traits::template rebind_alloc<U>>;
    };

    using Base::Base;

    template <typename U>
    void construct(U* at) noexcept
    {
        ::new (static_cast<void*>(at)) U;
    }

    template <typename U, typename... Args>
    void construct(U* at, Args&&... args)
    {
        Traits::construct(static_cast<Base&>(*this), at, std::forward<Args>(args)...);
    }
};

/// A mesh array of plain numbers.
template <typename T>
using MeshArray = std::vector<T, NoInitAllocator<T>>;

/// A de-indexed triangle mesh as drawn and cached: every corner has its own
/// position, normal and texture coordinate, and `indices` is 0, 1, 2, ...
struct MeshArrays
{
    MeshArray<float> positions;     // x, y, z per corner
    MeshArray<float> normals;       // x, y, z per corner
    MeshArray<float> texCoords;     // u, v per corner
    MeshArray<unsigned> indices;    // one per corner
    std::vector<Submesh> submeshes; // material runs, closed by a terminating record
};
