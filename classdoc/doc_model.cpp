#include "doc_model.h"

namespace classdoc {

template <class T>
T& DocModel::create(const std::string& name, const std::string& fileName, int line) {
  auto item = std::make_unique<T>();
  item->name = name;
  item->fileName = fileName;
  item->line = line;
  T& created = *item;
  items_.append(&created);
  owned_.append(std::move(item));
  return created;
}

ClassDoc& DocModel::classNamed(const std::string& name, int kind, const std::string& fileName,
                               int line) {
  const auto key = std::make_pair(name, kind & kStructKind);
  if (auto found = classIndex_.find(key); found != classIndex_.end()) return *found->second;
  if (ClassDoc* other = findClass(name, (kind & kStructKind) ^ kStructKind)) return *other;
  ClassDoc& created = create<ClassDoc>(name, fileName, line);
  created.kind = kind & kStructKind;
  classes_.append(&created);
  classIndex_.emplace(key, &created);
  return created;
}

ClassDoc* DocModel::findClass(const std::string& name, int kind) const {
  auto found = classIndex_.find(std::make_pair(name, kind & kStructKind));
  return found == classIndex_.end() ? nullptr : found->second;
}

EnumDoc& DocModel::enumNamed(const std::string& name, const std::string& fileName, int line) {
  if (auto found = enumIndex_.find(name); found != enumIndex_.end()) return *found->second;
  EnumDoc& created = create<EnumDoc>(name, fileName, line);
  enums_.append(&created);
  enumIndex_.emplace(name, &created);
  return created;
}

DeclDoc& DocModel::declNamed(int flags, const std::string& name, const std::string& declaration,
                             CommentList& leading, CommentList& trailing,
                             const std::string& fileName, int line) {
  if (auto found = declIndex_.find(name); found != declIndex_.end()) {
    leading.zero();
    trailing.zero();
    return *found->second;
  }
  DeclDoc& created = create<DeclDoc>(name, fileName, line);
  created.part.flags = flags;
  created.part.declaration = declaration;
  created.part.leadingComments.append(leading);
  created.part.trailingComments.append(trailing);
  decls_.append(&created);
  declIndex_.emplace(name, &created);
  return created;
}

void DocModel::setKind(ClassDoc& cls, int kind) {
  if ((cls.kind & kStructKind) == (kind & kStructKind)) return;
  classIndex_.erase(std::make_pair(cls.name, cls.kind & kStructKind));
  cls.kind = (cls.kind & ~kStructKind) | (kind & kStructKind);
  classIndex_.emplace(std::make_pair(cls.name, cls.kind & kStructKind), &cls);
}

void DocModel::adopt(ClassDoc& named, ClassDoc& anonymous) {
  for (auto& member : anonymous.members)
    addEntry(named, std::move(member), anonymous.fileName, anonymous.line);
  anonymous.members.clearKeep();
  named.comments.append(anonymous.comments);
  named.kind |= anonymous.kind & kAbstractKind;
}

void DocModel::adopt(EnumDoc& named, EnumDoc& anonymous) {
  for (auto& value : anonymous.values)
    addEntry(named, std::move(value), anonymous.fileName, anonymous.line);
  anonymous.values.clearKeep();
  named.comments.append(anonymous.comments);
}

void DocModel::addBase(ClassDoc& derived, ClassDoc& base, int relation) {
  for (const ClassLink& link : derived.bases)
    if (link.cls == &base && link.relation == relation) return;
  derived.bases.append(ClassLink{&base, relation});
  base.derived.append(ClassLink{&derived, relation});
}

void DocModel::addEntry(ClassDoc& item, std::unique_ptr<MemberDoc> member,
                        const std::string& fileName, int line) {
  if (item.members.empty()) {
    item.fileName = fileName;
    item.line = line;
  }
  item.members.append(std::move(member));
}

void DocModel::addEntry(EnumDoc& item, std::unique_ptr<EnumValueDoc> value,
                        const std::string& fileName, int line) {
  if (item.values.empty()) {
    item.fileName = fileName;
    item.line = line;
  }
  item.values.append(std::move(value));
}

}  // namespace classdoc
