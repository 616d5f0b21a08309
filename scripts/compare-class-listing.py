#!/usr/bin/env python3
"""Compares the listing `class` prints for library headers with Doxygen's XML
reading of the same headers, the reference for how their authors meant them.

Usage: /usr/bin/python3 scripts/compare-class-listing.py CLASS_PROGRAM WORKDIR header...
Needs doxygen (apt-get install doxygen); its XML is kept in WORKDIR and reused.
Prints four figures: the classes that have members printed with them, recall
and precision of the public members, classes whose bases are right, and member
descriptions on the right member. VERBOSE=1 also prints every difference.

Example: scripts/compare-class-listing.py build-release/classdoc/class /tmp/cmp \\
    $(find /usr/include/bullet -name '*.h')
"""
import os
import re
import subprocess
import sys
import xml.etree.ElementTree as ET

VERBOSE = bool(os.environ.get('VERBOSE'))
MEMBER_SECTIONS = ('Public Members', 'Protected Members', 'Private Members')


def short(name):
    """The last name of a qualified, possibly templated name."""
    return re.sub(r'<.*>', '', name.strip()).split('::')[-1].strip()


def words(text):
    text = re.sub(r'<[^>]*>', ' ', text)
    text = re.sub(r'[\\@][a-z]+', ' ', text)
    return re.findall(r'[A-Za-z0-9_]+', text.lower())


def run_doxygen(headers, workdir):
    os.makedirs(workdir, exist_ok=True)
    xmldir = os.path.join(workdir, 'xml')
    if not os.path.exists(os.path.join(xmldir, 'index.xml')):
        settings = {
            'INPUT': ' '.join(headers), 'OUTPUT_DIRECTORY': workdir, 'GENERATE_XML': 'YES',
            'GENERATE_HTML': 'NO', 'GENERATE_LATEX': 'NO', 'EXTRACT_ALL': 'YES',
            'EXTRACT_PRIVATE': 'YES', 'EXTRACT_STATIC': 'YES', 'EXTRACT_LOCAL_CLASSES': 'YES',
            'QUIET': 'YES', 'WARNINGS': 'NO', 'WARN_LOGFILE': '/dev/null',
            'EXTENSION_MAPPING': 'H=C++', 'FILE_PATTERNS': '*.h *.H *.hpp',
            'ENABLE_PREPROCESSING': 'YES', 'MACRO_EXPANSION': 'NO', 'SEARCH_INCLUDES': 'NO',
            'INHERIT_DOCS': 'NO'}
        with open(os.path.join(workdir, 'Doxyfile'), 'w') as f:
            f.write(''.join(f'{key} = {value}\n' for key, value in settings.items()))
        subprocess.run(['doxygen', 'Doxyfile'], cwd=workdir, check=True)
    return xmldir


def reference(headers, workdir):
    """{class: {'bases': [...], 'members': {public name: [descriptions]}, 'n': all members}}"""
    xmldir = run_doxygen(headers, workdir)
    classes = {}
    for compound in ET.parse(os.path.join(xmldir, 'index.xml')).getroot().findall('compound'):
        if compound.get('kind') not in ('class', 'struct'):
            continue
        definition = ET.parse(os.path.join(xmldir, compound.get('refid') + '.xml')).getroot().find('compounddef')
        name = short(definition.findtext('compoundname'))
        if not name or name.startswith('@'):
            continue
        entry = classes.setdefault(name, {'bases': sorted(short(b.text or '') for b in definition.findall('basecompoundref')),
                                          'members': {}, 'n': 0})
        for member in definition.iter('memberdef'):
            if member.get('kind') not in ('function', 'variable', 'typedef'):
                continue
            entry['n'] += 1
            member_name = member.findtext('name').replace(' ', '')
            if member.get('prot') != 'public' or member_name.startswith('@'):
                continue
            description = ' '.join(''.join(member.find(tag).itertext())
                                    for tag in ('briefdescription', 'detaileddescription') if member.find(tag) is not None)
            entry['members'].setdefault(member_name, []).append(description.strip())
    return classes


def underlined(lines, i, mark):
    line, under = lines[i].strip(), lines[i + 1].strip() if i + 1 < len(lines) else ''
    return under and set(under) == {mark} and len(under) == len(line)


def listing(program, headers, private):
    """{class: {'bases': [...], 'members': {name: [{'desc', 'section'}]}}} from the printed listing."""
    out = subprocess.run([program] + (['-p'] if private else []) + headers,
                         capture_output=True, text=True, errors='replace').stdout
    lines = out.split('\n')
    classes, current, section, member, pending = {}, None, None, None, []
    i = 0
    while i < len(lines):
        line = lines[i]
        if underlined(lines, i, '='):
            title = re.match(r'(?:abstract )?(?:class|structure) (.*)', line)
            current = {'bases': [], 'members': {}} if title else None
            if title:
                classes[short(title.group(1))] = current
            section, member, pending = None, None, []
            i += 2
            continue
        if underlined(lines, i, '-'):
            section, member, pending = line.strip(), None, []
            i += 2
            continue
        if current is not None and section == 'Base classes' and re.match(r'^ \S', line):
            current['bases'].append(short(line.split()[-1]))
        elif current is not None and section in MEMBER_SECTIONS:
            label = re.match(r'^(~?\S.*):$', line)
            if label and i + 1 < len(lines) and lines[i + 1].startswith('    '):
                member = {'desc': ' '.join(pending), 'section': section}
                current['members'].setdefault(label.group(1).replace(' ', ''), []).append(member)
                pending = []
                i += 2
                continue
            if line.startswith('    ') and member is not None:
                member['desc'] += ' ' + line
            elif line.strip():
                pending.append(line)
            else:
                member = None
        i += 1
    return classes


def percent(part, whole):
    return f'{part}/{whole} = {100 * part / max(1, whole):.1f}%'


def main():
    if len(sys.argv) < 4:
        sys.exit(__doc__)
    program, workdir = sys.argv[1], os.path.abspath(sys.argv[2])
    headers = [os.path.abspath(h) for h in sys.argv[3:]]
    ref = reference(headers, workdir)
    public = listing(program, headers, private=False)
    everything = listing(program, headers, private=True)

    with_body = [n for n, c in ref.items() if c['n'] > 0]
    found = [n for n in with_body if n in everything and everything[n]['members']]
    hits = misses = extra = described = described_right = bases = bases_right = 0
    for name, expected in ref.items():
        ours = {}
        for member, entries in public.get(name, {'members': {}})['members'].items():
            entries = [e for e in entries if e['section'] == 'Public Members']
            if entries:
                ours[member] = entries
        for member, descriptions in expected['members'].items():
            if member in ours:
                hits += 1
            else:
                misses += 1
                if VERBOSE:
                    print('missing member', name, member)
            for description in filter(None, descriptions):
                described += 1
                start = ' '.join(words(description)[:3])
                if member in ours and any(start in ' '.join(words(e['desc'])) for e in ours[member]):
                    described_right += 1
                elif VERBOSE:
                    print('description', name, member, '| reference:', start)
        for member in ours:
            if member not in expected['members']:
                extra += 1
                if VERBOSE:
                    print('extra member', name, member)
        if name in public:
            bases += 1
            bases_right += sorted(public[name]['bases']) == expected['bases']
    if VERBOSE:
        for name in with_body:
            if name not in found:
                print('lost class', name)
    print('classes with bodies:', percent(len(found), len(with_body)))
    print('public members: recall', percent(hits, hits + misses) + ', precision', percent(hits, hits + extra))
    print('bases right:', percent(bases_right, bases))
    print('descriptions on the right member:', percent(described_right, described))


if __name__ == '__main__':
    main()
