#pragma once
// Components: owned by other components, named, notified of each other's insertion and
// removal, and read from / written to the component stream.
#include <cstdint>
#include <functional>
#include <memory>
#include <set>
#include <string_view>
#include <vector>

#include "core/exceptions.h"
#include "core/object.h"
#include "core/ustring.h"

enum TComponentStateFlag : uint16_t {
  csLoading = 1 << 0,
  csReading = 1 << 1,
  csWriting = 1 << 2,
  csDestroying = 1 << 3,
  csDesigning = 1 << 4,
  csInline = 1 << 5,
};
using TComponentState = uint16_t;

enum class TOperation { opInsert, opRemove };

class TComponent : public TPersistent {
 public:
  static const TClassType& StaticClassType();
  const TClassType& ClassType() const override { return StaticClassType(); }

  // The owner, when given, takes ownership: it frees this component when it is freed.
  explicit TComponent(TComponent* AOwner);
  ~TComponent() override;
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  // Sends the removal notifications while the whole object is still alive, detaches from the
  // owner and frees the owned components. Destruction calls it when nobody did; owners and
  // TComponentPtr call it first, so overrides of Notification see the object intact.
  void BeforeDestruction();

  const String& Name() const { return FName; }
  // Raises EComponentError "Component name \"%s\" is not unique" / "\"%s\" is not a valid
  // component name" as the class library does.
  virtual void SetName(const String& NewName);
  TComponent* Owner() const { return FOwner; }
  int ComponentCount() const { return static_cast<int>(FComponents.size()); }
  TComponent* Components(int Index) const;
  int ComponentIndex() const;
  TComponent* FindComponent(const String& AName) const;  // ASCII case fold, by an index
  TPersistent* GetOwner() const override { return FOwner; }

  TComponentState ComponentState() const { return FComponentState; }
  bool HasState(TComponentStateFlag F) const { return (FComponentState & F) != 0; }
  void SetState(TComponentStateFlag F, bool On);
  void SetDesigning(bool Value, bool SetChildren = true);

  // The owner hears of every insertion and removal of its components, and so do those of its
  // components that asked to hear of all the others (HearAllComponents). Two components that
  // refer to each other are told of each other's freeing, and of removal from their common
  // owner, through FreeNotification, whether they share an owner or not.
  void InsertComponent(TComponent* AComponent);  // takes ownership
  void RemoveComponent(TComponent* AComponent);  // gives ownership back to the caller
  void FreeNotification(TComponent* AComponent);
  void RemoveFreeNotification(TComponent* AComponent);

  // Called by the stream reader once the whole image has been read: clears csLoading.
  virtual void FinishLoading();
  // Called by the stream reader on the root of an image after FinishLoading has run on every
  // component read with it (a form fires OnCreate here).
  virtual void AfterLoading() {}

  // Children written with this component in the stream, and their parent when read back.
  virtual void GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root);
  virtual bool HasParent() const { return false; }
  virtual TComponent* GetParentComponent() const { return nullptr; }
  virtual void SetParentComponent(TComponent*) {}

  // A non-visual component's position in a designer, kept as "Left" / "Top" in the stream.
  int32_t DesignInfo() const { return FDesignInfo; }
  void SetDesignInfo(int32_t Value) { FDesignInfo = Value; }
  int32_t Tag() const { return FTag; }
  void SetTag(int32_t Value) { FTag = Value; }

  void DeclareStoredData(TFiler& Filer) override;

 protected:
  virtual void Notification(TComponent* AComponent, TOperation Operation);
  virtual void ValidateRename(TComponent* AComponent, const String& CurName, const String& NewName);
  // From now on Notification hears of every component that comes to or leaves the owner, not
  // only of those this one refers to. The others are not called for each new component, so a
  // form of many components is built and read in time proportional to their number.
  void HearAllComponents();

 private:
  struct TByName {
    using is_transparent = void;
    bool operator()(const TComponent* A, const TComponent* B) const;
    bool operator()(const TComponent* A, std::u16string_view B) const;
    bool operator()(std::u16string_view A, const TComponent* B) const;
  };

  void Insert(TComponent* AComponent);
  void Remove(TComponent* AComponent);
  void Unindex(TComponent* AComponent);
  void NotifyAll(TComponent* AComponent, TOperation Operation);
  void NotifyPartners(TComponent* AComponent);
  void JoinHearers();
  bool HearsThroughOwner(const TComponent* Partner) const;
  bool IsPartner(const TComponent* AComponent) const;
  static void MarkDestroying(TComponent& C);  // this component and everything it owns

  String FName;
  TComponent* FOwner = nullptr;
  std::vector<TComponent*> FComponents;
  std::set<TComponent*, TByName> FNamed;  // the components with a name; names are unique
  std::vector<TComponent*> FHearers;      // the components that hear of all, or own such ones
  std::vector<TComponent*> FFreeNotifies;
  bool FHearsAll = false;
  bool FListed = false;  // in the owner's FHearers
  TComponentState FComponentState = 0;
  int32_t FDesignInfo = 0;
  int32_t FTag = 0;
  bool FDestroyed = false;
};

class EComponentError : public Exception {
 public:
  using Exception::Exception;
};

// A component without owner held by its creator: BeforeDestruction runs first.
struct TComponentDeleter {
  void operator()(TComponent* C) const {
    if (C) {
      C->BeforeDestruction();
      delete C;
    }
  }
};
template <class T>
using TComponentPtr = std::unique_ptr<T, TComponentDeleter>;
