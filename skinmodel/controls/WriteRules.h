// The writing rules of the kinds' own values. A value is written with a reference only when it
// differs from the reference's (and passes its kind's filter), without one under the filter
// alone; and it is written whenever it differs from what loading gives for a left-out value
// (Base: the reference, or a control as its constructor makes it), so a reload gives it back.
#pragma once

template <class K>
struct TWriteRules {
    const K& Self;
    const K* Ref;
    const K& Base;

    template <class V>
    bool Differs(V K::*f) const
    {
        return !Ref || Self.*f != Ref->*f || Self.*f != Base.*f;
    }
    // With the kind's extra condition on the documented branch.
    template <class V>
    bool DiffersAnd(V K::*f, bool filter) const
    {
        return ((!Ref || Self.*f != Ref->*f) && filter) || Self.*f != Base.*f;
    }
};

template <class K>
TWriteRules<K> MakeWriteRules(const K& self, const void* ref, const void* base)
{
    return {self, static_cast<const K*>(ref), *static_cast<const K*>(base)};
}
