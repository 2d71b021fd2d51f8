#!/usr/bin/env python3
"""Plants small faults in the core's code, one at a time, and reports which tests catch each.

Each mutant changes one line of a file under src/ (outside the window code): a comparison turned
round, && for ||, true for false, a number one larger, + for -, a break or a statement dropped.
Every mutant is built and the core tests run against it. A mutant no test catches is either a gap
in the tests or a change that makes no difference (a budget, a cache, a default that is set again
later); the report lists them for a reader to judge. A test that catches mutants no other test
catches is one the suite cannot do without.

    tools/mutants.py --count 300 --jobs 2        # a sample of 300 mutants on two clean clones
    tools/mutants.py --files src/ai/Zeddon.cpp   # every mutant of one file
    tools/mutants.py --report                    # the report again, from the results so far
    tools/mutants.py --retry                     # the survivors again, against the tests as they are now

Work and results stay in build-mutants/: run again, and mutants already tried are not run twice.
"""
import argparse
import collections
import json
import os
import random
import re
import subprocess
import sys
import threading
from pathlib import Path

TOP = Path(__file__).resolve().parent.parent
WORK = TOP / 'build-mutants'

OPERATORS = [
    (r' <= ', ' < '), (r' >= ', ' > '), (r' < ', ' <= '), (r' > ', ' >= '),
    (r'==', '!='), (r'!=', '=='), (r'&&', '||'), (r'\|\|', '&&'),
    (r'\btrue\b', 'false'), (r'\bfalse\b', 'true'),
    (r"(?<![\w.'])(\d+)(?![\w.'])", lambda m: str(int(m.group(1)) + 1)),
    (r' \+ ', ' - '), (r' - ', ' + '), (r'\+\+', '--'), (r'\bbreak;', ';'), (r'!(?!=)', ''),
]
# A statement that does something on its own: a call or an assignment, dropped whole.
DROPPABLE = re.compile(r'^(?!return|case|default|using|const|static|inline|template|struct|class|enum)'
                       r'[\w:.\[\]()>-]+\s*(\(.*\)|[-+|&]?=\s.*);$')


def core_files():
    listed = subprocess.check_output(['git', 'ls-files', 'src/*.cpp', 'src/*.h'], cwd=TOP, text=True)
    return [f for f in listed.split() if not f.startswith('src/qt/')]


def mutants_of(path):
    for number, line in enumerate((TOP / path).read_text().split('\n')):
        text = line.strip()
        if not text or text.startswith(('//', '#', 'namespace', 'static_assert')):
            continue
        code = line.split('//')[0]
        for pattern, replacement in OPERATORS:
            for m in re.finditer(pattern, code):
                new = code[:m.start()] + (replacement(m) if callable(replacement) else replacement) + code[m.end():]
                if new != code:
                    yield {'file': path, 'line': number, 'old': line, 'new': new.rstrip()}
        if path.endswith('.cpp') and DROPPABLE.match(text):
            yield {'file': path, 'line': number, 'old': line, 'new': line[:len(line) - len(line.lstrip())] + ';'}


def key(m):
    return f"{m['file']}:{m['line'] + 1}: {m['old'].strip()} => {m['new'].strip()}"


def results():
    path = WORK / 'results.jsonl'
    return [json.loads(line) for line in path.read_text().splitlines()] if path.exists() else []


def run(mutants, jobs):
    done = {key(r) for r in results()}
    todo = collections.deque(m for m in mutants if key(m) not in done)
    print(f'{len(todo)} mutants to try on {jobs} clones', flush=True)
    lock = threading.Lock()

    def worker(n):
        clone = WORK / f'clone{n}'
        if not clone.exists():
            subprocess.run(['git', 'clone', '-q', str(TOP), str(clone)], check=True)
        subprocess.run(['git', 'fetch', '-q', str(TOP), 'HEAD'], cwd=clone, check=True)
        subprocess.run(['git', 'checkout', '-q', '--force', 'FETCH_HEAD'], cwd=clone, check=True)
        build = clone / 'build'
        quiet = {'stdout': subprocess.DEVNULL, 'stderr': subprocess.DEVNULL}
        subprocess.run(['cmake', '-S', str(clone), '-B', str(build), '-DCMAKE_BUILD_TYPE=RelWithDebInfo',
                        '-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O2', '-DVORNIX_BENCH=OFF'], check=True, **quiet)
        make = ['cmake', '--build', str(build), '--target', 'vornix_core_tests', '-j1']
        subprocess.run(make, check=True, **quiet)
        while True:
            with lock:
                if not todo:
                    return
                m = todo.popleft()
            source = clone / m['file']
            original = source.read_text()
            lines = original.split('\n')
            if m['line'] >= len(lines) or lines[m['line']] != m['old']:
                # The code has moved on since the mutant was made: find its line again, if it is still there.
                same = [n for n, line in enumerate(lines) if line == m['old']]
                m = dict(m, line=same[0]) if len(same) == 1 else dict(m, outcome='gone')
            if m.get('outcome') != 'gone':
                lines[m['line']] = m['new']
                source.write_text('\n'.join(lines))
            failed = []
            if m.get('outcome') == 'gone':
                outcome = 'gone'
            elif subprocess.run(make, **quiet).returncode != 0:
                outcome = 'stillborn'
            else:
                report = build / 'mutant.json'
                report.unlink(missing_ok=True)
                try:
                    code = subprocess.run([str(build / 'tests' / 'vornix_core_tests'), '--gtest_brief=1',
                                           f'--gtest_output=json:{report}'], timeout=150, **quiet).returncode
                    outcome = 'survived' if code == 0 else 'caught'
                except subprocess.TimeoutExpired:
                    outcome = 'caught'  # it never finishes: a hang is as plain as a failure
                if report.exists():
                    for suite in json.loads(report.read_text())['testsuites']:
                        failed += [f"{suite['name']}.{t['name']}" for t in suite['testsuite'] if t.get('failures')]
            source.write_text(original)
            with lock:
                with open(WORK / 'results.jsonl', 'a') as out:
                    out.write(json.dumps(dict(m, outcome=outcome, failed=failed)) + '\n')
                print(f"{outcome:9} {key(m)}", flush=True)

    threads = [threading.Thread(target=worker, args=(n,)) for n in range(jobs)]
    for t in threads:
        t.start()
    for t in threads:
        t.join()


def report():
    rows = results()
    print(collections.Counter(r['outcome'] for r in rows))
    by_suite = collections.defaultdict(collections.Counter)
    for r in rows:
        suites = {test.split('.')[0].split('/')[-1] for test in r['failed']}
        for suite in suites:
            by_suite[suite]['caught'] += 1
            by_suite[suite]['alone'] += len(suites) == 1
    print('\nsuite: mutants it catches, and those no other suite catches')
    for suite, counts in sorted(by_suite.items()):
        print(f"  {suite:28} {counts['caught']:4} {counts['alone']:4}")
    print('\nsurvivors (a gap in the tests, or a change that makes no difference):')
    for r in rows:
        if r['outcome'] == 'survived':
            print('  ' + key(r))


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument('--count', type=int, default=0, help='a random sample of this many mutants')
    parser.add_argument('--seed', type=int, default=7)
    parser.add_argument('--jobs', type=int, default=os.cpu_count() or 1)
    parser.add_argument('--files', nargs='*', help='only these files, every mutant of them')
    parser.add_argument('--report', action='store_true', help='only print the report')
    parser.add_argument('--retry', action='store_true', help='try the survivors again')
    args = parser.parse_args()
    if args.retry:
        rows = results()
        survivors = [{k: r[k] for k in ('file', 'line', 'old', 'new')} for r in rows if r['outcome'] == 'survived']
        (WORK / 'results.jsonl').write_text(''.join(json.dumps(r) + '\n' for r in rows if r['outcome'] != 'survived'))
        run(survivors, args.jobs)
    elif not args.report:
        WORK.mkdir(exist_ok=True)
        mutants = [m for f in (args.files or core_files()) for m in mutants_of(f)]
        random.Random(args.seed).shuffle(mutants)
        run(mutants[:args.count] if args.count else mutants, args.jobs)
    report()


if __name__ == '__main__':
    sys.exit(main())
