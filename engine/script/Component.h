#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vl {

// A named part of the host program that reports can find by name: a form or
// data module at the top, the data sets and frames inside it. A component
// registers with its owner while it lives; the owner does not own it.
class TvlComponent {
public:
    explicit TvlComponent(std::string name = {}, TvlComponent* owner = nullptr);
    virtual ~TvlComponent();
    TvlComponent(const TvlComponent&) = delete;
    TvlComponent& operator=(const TvlComponent&) = delete;

    const std::string& name() const { return name_; }
    void setName(std::string name) { name_ = std::move(name); }
    TvlComponent* owner() const { return owner_; }
    const std::vector<TvlComponent*>& components() const { return components_; }
    // The direct component of that name (case ignored), or nullptr.
    TvlComponent* findComponent(std::string_view name) const;

    virtual std::string className() const { return "TComponent"; }
    // A frame embedded in a form, whose components are listed with the form's.
    virtual bool isFrame() const { return false; }
    // Data sets answer whether they have a field of that name (case ignored).
    virtual bool hasField(std::string_view) const { return false; }
    // A report data source (a band walks its records).
    virtual bool isDataSource() const { return false; }

private:
    std::string name_;
    TvlComponent* owner_ = nullptr;
    std::vector<TvlComponent*> components_;
};

// The top-level containers of the program (forms and data modules) in which
// reports look components up by path.
class ComponentDirectory {
public:
    void add(TvlComponent* container);
    void remove(TvlComponent* container);
    TvlComponent* find(std::string_view name) const;
    const std::vector<TvlComponent*>& containers() const { return containers_; }

private:
    std::vector<TvlComponent*> containers_;
};

} // namespace vl
