#include <gtest/gtest.h>

#include <chrono>
#include <vector>

#include "component/test_classes.h"

namespace {

// A component that hears of every other that its owner gets or loses.
class THearingComp : public TTestComp {
 public:
  explicit THearingComp(TComponent* AOwner) : TTestComp(AOwner) { HearAllComponents(); }
};

TEST(Component, OwnerListsNamesAndFindsComponents) {
  TTestForm Form;
  auto* A = new TTestComp(&Form);
  auto* B = new TTestComp(&Form);
  A->SetName(u"Alpha");
  B->SetName(u"beta_2");
  EXPECT_EQ(Form.ComponentCount(), 2);
  EXPECT_EQ(Form.Components(0), A);
  EXPECT_EQ(Form.Components(1), B);
  EXPECT_EQ(B->ComponentIndex(), 1);
  EXPECT_EQ(A->Owner(), &Form);
  EXPECT_EQ(Form.FindComponent(u"ALPHA"), A);
  EXPECT_EQ(Form.FindComponent(u"Beta_2"), B);
  EXPECT_EQ(Form.FindComponent(u""), nullptr);
  EXPECT_THROW(Form.Components(2), EListError);
  EXPECT_THROW(Form.Components(-1), EListError);

  EXPECT_THROW(B->SetName(u"alpha"), EComponentError);  // unique ignoring ASCII case
  EXPECT_THROW(B->SetName(u"2abc"), EComponentError);
  EXPECT_THROW(B->SetName(u"a b"), EComponentError);
  EXPECT_THROW(B->SetName(u"\u0416"), EComponentError);
  EXPECT_EQ(B->Name(), u"beta_2");
  A->SetName(u"ALPHA");  // its own name in other case
  EXPECT_EQ(A->Name(), u"ALPHA");
  TTestComp Loose(nullptr);
  Loose.SetName(u"alpha");
  EXPECT_THROW(Form.InsertComponent(&Loose), EComponentError);
  EXPECT_EQ(Loose.Owner(), nullptr);
  B->SetName(u"");
  A->SetName(u"");
  EXPECT_EQ(Form.FindComponent(u"alpha"), nullptr);
}

TEST(Component, InsertAndRemoveNotifyTheOwnerAndItsComponents) {
  TTestForm Form;
  TTestForm Other;
  auto* A = new TTestComp(&Form);
  A->SetName(u"A");
  auto* H = new THearingComp(&Form);
  Form.Notes.clear();
  auto* B = new TTestComp(&Form);
  B->SetName(u"B");
  EXPECT_EQ(Form.Notes, std::vector<std::string>{"opInsert"});
  // Of the other components only the one that asked hears of it.
  EXPECT_EQ(A->Notified, 0);
  EXPECT_EQ(H->Notified, 1);
  A->SetBuddy(B);  // same owner: A is told as B's partner
  H->SetBuddy(B);  // H hears through the owner, once

  // Moving B to another owner: Form and its components hear of the removal first.
  Form.Notes.clear();
  Other.InsertComponent(B);
  EXPECT_EQ(Form.Notes, std::vector<std::string>{"opRemove B TTestComp"});
  EXPECT_EQ(B->Owner(), &Other);
  EXPECT_EQ(Form.ComponentCount(), 2);
  EXPECT_EQ(A->Buddy(), nullptr);
  EXPECT_EQ(H->Buddy(), nullptr);
  EXPECT_EQ(A->Notified, 1);
  EXPECT_EQ(H->Notified, 2);
  EXPECT_EQ(Form.FindComponent(u"B"), nullptr);
  EXPECT_EQ(Other.FindComponent(u"b"), B);

  // Across owners the free notification is mutual; a partner of the same owner hears once.
  A->SetBuddy(B);
  B->SetBuddy(A);
  H->SetBuddy(A);
  TComponentPtr<TTestComp>(A).reset();  // frees A: B and H forget it
  EXPECT_EQ(B->Buddy(), nullptr);
  EXPECT_EQ(H->Buddy(), nullptr);
  EXPECT_EQ(B->Notified, 1);
  EXPECT_EQ(H->Notified, 3);
  EXPECT_EQ(Form.ComponentCount(), 1);

  // Once removed, the free notification no longer arrives.
  TTestComp C(nullptr);
  TComponentPtr<TTestComp> D(new TTestComp(nullptr));
  C.SetBuddy(D.get());
  C.RemoveFreeNotification(D.get());
  const TTestComp* Stale = D.get();
  D.reset();
  EXPECT_EQ(C.Buddy(), Stale);
}

TEST(Component, DestructionNotifiesWhileEverythingIsIntact) {
  EventLog().clear();
  auto Form = TComponentPtr<TTestForm>(new TTestForm);
  Form->SetName(u"F");
  auto* First = new TTestComp(Form.get());
  First->SetName(u"First");
  auto* Second = new TTestControl(Form.get());
  Second->SetName(u"Second");
  Second->SetParentComponent(Form.get());
  auto* Watcher = new TTestComp(nullptr);
  TComponentPtr<TTestComp> WatcherOwner(Watcher);
  Watcher->SetBuddy(First);
  Form->Notes.clear();

  Form->BeforeDestruction();
  // Last to first, each seen by the owner as its own class: the overrides still run.
  EXPECT_EQ(Form->Notes,
            (std::vector<std::string>{"opRemove Second TTestControl", "opRemove First TTestComp"}));
  EXPECT_TRUE(Form->HasState(csDestroying));
  EXPECT_EQ(Form->ComponentCount(), 0);
  EXPECT_EQ(Watcher->Buddy(), nullptr);
  Form->BeforeDestruction();  // a second call does nothing
  EXPECT_EQ(Form->Notes.size(), 2u);
  Form.reset();

  // An owned component freed on its own leaves its owner's list.
  TTestForm Owner;
  auto* Gone = new TTestComp(&Owner);
  TComponentDeleter()(Gone);
  EXPECT_EQ(Owner.ComponentCount(), 0);
}

TEST(Component, ManyComponentsAreReadBuiltAndFreedWithoutWalkingTheOthers) {
  // Each new component used to be looked for by name among all before it and to tell every one
  // of them: minutes for a form of this size.
  constexpr int Count = 30000;
  RegisterTestClasses();
  TMemoryStream Image;
  TWriter W(Image);
  W.WriteSignature();
  W.WriteStr(u"TTestForm");
  W.WriteStr(u"Form1");
  W.WriteListEnd();
  for (int I = 1; I <= Count; ++I) {
    W.WriteStr(u"TTestComp");
    W.WriteStr(u"C" + IntToStr(I));
    W.WriteListEnd();
    W.WriteListEnd();
  }
  W.WriteListEnd();
  Image.SetPosition(0);
  const auto Start = std::chrono::steady_clock::now();
  TComponentPtr<TComponent> Read = ReadComponentOwned(Image);
  TComponentPtr<TTestForm> Built(new TTestForm);
  for (int I = 1; I <= Count; ++I) (new TTestComp(Built.get()))->SetName(u"C" + IntToStr(I));
  for (TComponent* Form : {Read.get(), static_cast<TComponent*>(Built.get())}) {
    ASSERT_EQ(Form->ComponentCount(), Count);
    int Notified = 0;
    for (int I = 0; I < Count; ++I) {
      Notified += static_cast<TTestComp*>(Form->Components(I))->Notified;
      ASSERT_EQ(Form->FindComponent(u"c" + IntToStr(I + 1)), Form->Components(I));
    }
    EXPECT_EQ(Notified, 0);
  }
  Read.reset();
  Built.reset();
  // Generous: far above what the work takes, even under the sanitizers, and far below the old.
  EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count(), 10);
}

TEST(Component, StateFlagsAndDesigning) {
  TTestForm Form;
  auto* A = new TTestComp(&Form);
  Form.SetState(csLoading, true);
  Form.SetState(csReading, true);
  EXPECT_TRUE(Form.HasState(csLoading));
  Form.FinishLoading();
  EXPECT_EQ(Form.ComponentState() & (csLoading | csReading), 0);
  Form.SetDesigning(true);
  EXPECT_TRUE(A->HasState(csDesigning));
  EXPECT_TRUE((new TTestComp(&Form))->HasState(csDesigning));
  Form.SetDesigning(false, false);
  EXPECT_FALSE(Form.HasState(csDesigning));
  EXPECT_TRUE(A->HasState(csDesigning));
  EXPECT_EQ(A->GetOwner(), &Form);
  EXPECT_EQ(A->ClassName(), u"TTestComp");
  EXPECT_TRUE(A->Is<TComponent>());
  const TPropInfo* Tag = TComponent::StaticClassType().FindProp(u"tag");
  ASSERT_NE(Tag, nullptr);
  EXPECT_EQ(Tag->Default, 0);
  EXPECT_FALSE(TComponent::StaticClassType().FindProp(u"Name")->Stored(*A));
}

TEST(ClassRegistry, RegistersFindsAndForgetsClasses) {
  static const TClassType Other(u"TTestComp", &TComponent::StaticClassType());
  RegisterTestClasses();
  RegisterTestClasses();  // again: nothing changes
  EXPECT_EQ(GetClass(u"ttestcomp"), &TTestComp::StaticClassType());
  EXPECT_EQ(&FindClass(u"TTestForm"), &TTestForm::StaticClassType());
  EXPECT_THROW(RegisterClass(Other), EFilerError);
  EXPECT_EQ(GetClass(u"TNothing"), nullptr);
  try {
    FindClass(u"TNothing");
    FAIL();
  } catch (const EClassNotFound& E) {
    EXPECT_EQ(E.Message(), u"Class TNothing not found");
  }
  UnRegisterClass(TTestControl::StaticClassType());
  EXPECT_EQ(GetClass(u"TTestControl"), nullptr);
  RegisterTestClasses();
}

TEST(Collection, ItemsAddMoveDeleteAndAssign) {
  TTestComp Owner(nullptr);
  TTestItems Items(&Owner);
  EXPECT_EQ(Items.GetOwner(), &Owner);
  auto* A = static_cast<TTestItem*>(Items.Add());
  auto* B = static_cast<TTestItem*>(Items.Add());
  auto* C = static_cast<TTestItem*>(Items.Insert(0));
  A->SetCaption(u"a");
  B->SetCaption(u"b");
  C->SetCaption(u"c");
  EXPECT_EQ(Items.Count(), 3);
  EXPECT_EQ(Items.Items(0), C);
  EXPECT_EQ(A->Index(), 1);
  EXPECT_EQ(A->Collection(), &Items);
  EXPECT_EQ(A->GetOwner(), &Items);
  EXPECT_EQ(A->DisplayName(), u"TTestItem");
  EXPECT_NE(A->ID(), B->ID());
  EXPECT_THROW(Items.Items(3), EListError);
  EXPECT_THROW(Items.Delete(-1), EListError);

  C->SetIndex(2);  // moves to the end
  EXPECT_EQ(Items.Items(0), A);
  EXPECT_EQ(Items.Items(2), C);
  C->SetIndex(0);
  EXPECT_EQ(Items.Items(0), C);
  EXPECT_EQ(Items.Items(1), A);
  EXPECT_THROW(C->SetIndex(5), EListError);

  Items.Updates = 0;
  Items.BeginUpdate();
  Items.Delete(1);
  delete Items.Items(0);  // an item freed on its own leaves the collection
  EXPECT_EQ(Items.Updates, 0);
  Items.EndUpdate();
  EXPECT_EQ(Items.Updates, 1);
  ASSERT_EQ(Items.Count(), 1);
  EXPECT_EQ(Items.Item(0)->Caption(), u"b");

  TTestItems Copy(nullptr);
  Copy.Add();
  Items.Item(0)->Extra = 5;
  Copy.Assign(Items);
  ASSERT_EQ(Copy.Count(), 1);
  EXPECT_EQ(Copy.Item(0)->Caption(), u"b");
  EXPECT_EQ(Copy.Item(0)->Extra, 5);
  EXPECT_THROW(Copy.Assign(*Owner.Font()), EConvertError);
  Items.Clear();
  EXPECT_EQ(Items.Count(), 0);
}

TEST(Collection, ReorderMovesEveryItemOnceOrNone) {
  struct TOrdered : TTestItems {
    using TTestItems::Reorder;
    using TTestItems::TTestItems;
  } Items(nullptr);
  std::vector<TCollectionItem*> Was;
  for (int I = 0; I < 7; ++I) Was.push_back(Items.Add());
  // Two cycles and an item that stays.
  const std::vector<int> Order = {2, 0, 1, 3, 6, 4, 5};
  Items.Reorder(Order);
  for (size_t K = 0; K < Order.size(); ++K)
    EXPECT_EQ(Items.Items(static_cast<int>(K)), Was[static_cast<size_t>(Order[K])]) << K;
  for (const std::vector<int>& Wrong :
       {std::vector<int>{0, 0, 1, 2, 3, 4, 5}, {0, 1, 2}, {0, 1, 2, 3, 4, 5, 7}})
    EXPECT_THROW(Items.Reorder(Wrong), EListError);
  for (size_t K = 0; K < Order.size(); ++K)  // a refused order moves nothing
    EXPECT_EQ(Items.Items(static_cast<int>(K)), Was[static_cast<size_t>(Order[K])]) << K;
}

}  // namespace
