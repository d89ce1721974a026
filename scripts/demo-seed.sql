-- Demonstration data: a few persons, groups, evaluators and two protocols, on top of the
-- bundled schema. Loaded only into a demo database that does not exist yet.
BEGIN;
INSERT INTO GRUPOS (Grupo, Nome, Temporada, Observacao) VALUES
    (0, 'INDIVIDUAL', NULL, NULL),
    (1, 'EQUIPE DE CICLISMO', '2024', 'TREINO DE BASE'),
    (2, 'CORRIDA DE RUA', '2024', NULL),
    (3, 'FUTEBOL SUB-20', '2024/2025', 'PRÉ-TEMPORADA');
INSERT INTO AVALIADOS (Avaliado, Nome, Apelido, Nascimento, Sexo, Altura, Modalidade, Posicao, Observacao) VALUES
    (1, 'ANA BEATRIZ SOUZA', 'ANA', '1996-04-12 00:00:00', 'F', 1.66, 'CICLISMO', NULL, NULL),
    (2, 'CARLOS EDUARDO LIMA', 'CADU', '1989-09-30 00:00:00', 'M', 1.78, 'CORRIDA', NULL, NULL),
    (3, 'MARIANA COSTA RIBEIRO', 'MARI', '2001-01-05 00:00:00', 'F', 1.71, 'TRIATLO', NULL, NULL),
    (4, 'JOÃO PEDRO ALMEIDA', 'JP', '2005-07-21 00:00:00', 'M', 1.82, 'FUTEBOL', 'MEIO-CAMPO', NULL),
    (5, 'RAFAEL NUNES', NULL, '1975-11-02 00:00:00', 'M', 1.74, 'CAMINHADA', NULL, 'HIPERTENSO CONTROLADO');
INSERT INTO AVALIADORES (Avaliador, Nome, Observacao) VALUES
    (1, 'DRA. HELENA MARTINS', 'FISIOLOGISTA'),
    (2, 'PROF. RICARDO TAVARES', 'EDUCADOR FÍSICO');
INSERT INTO LABORATORIO (Nome, AvaliadorPadrao, RelLogo, RelMargemInf, RelRodape) VALUES
    ('LABORATÓRIO DE FISIOLOGIA DO EXERCÍCIO (DEMONSTRAÇÃO)', 1, NULL, 0, 'Dados de demonstração');
INSERT INTO PROTOCOLOS (Protocolo, Nome, TipoErgometro, NumEstagios, TipoEstagio, UnidCarga, DuracaoTotal, RPM) VALUES
    (1, 'CICLO RAMPA 25 W/MIN', 'C', 12, 'R', 'watts', 720, 60),
    (2, 'ESTEIRA 1 KM/H POR MINUTO', 'E', 12, 'R', 'km/h', 720, 0);
WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 12)
INSERT INTO PROTOCOLOSESTAGIOS (Protocolo, Estagio, Duracao, DuracaoFim, Carga, CargaKgfm, CargaIncr, Inclinacao,
                                InclinacaoIncr, RPM)
SELECT 1, i, 60, 60 * i, 25.0 * i, 25.0 * i / (0.98 * 60), 25, 0, 0, 60 FROM n
UNION ALL
SELECT 2, i, 60, 60 * i, 5.0 + i, 0, 1, 1, 0, 0 FROM n;
COMMIT;
